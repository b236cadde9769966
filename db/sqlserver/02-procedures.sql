-- The four stored procedures of the coded-parameter table PTR that the print
-- generation calls, for a SQL Server test or staging database (the customs
-- database of a broker has its own). Run with sqlcmd after 01-tables.sql.
--
-- Within a parameter type CTPT ("CODTAX", "TABON", ...), PTR maps a natural
-- code CPTRNAT to a description LPTRNAT and to a small number APTR. Each
-- procedure answers one lookup; the generation reads only the first row:
--   sp_NatLNat  @CTPT_1, @CPTRNAT_2  ->  LPTRNAT            (description of a code)
--   sp_NatPtr   @CTPT_1, @CPTRNAT_2  ->  APTR               (number of a code)
--   sp_PtrNat   @CTPT_1, @APTR_2     ->  LPTRNAT, CPTRNAT   (description and code of a number)
--   sp_PtrCNat  @CTPT_1, @APTR_2     ->  CPTRNAT            (code of a number)
-- The generation passes the text parameters as varchar(10) and the number as
-- int, and expects the return value 0.

SET NOCOUNT ON;
GO

IF OBJECT_ID(N'dbo.sp_NatLNat', N'P') IS NOT NULL DROP PROCEDURE dbo.sp_NatLNat;
GO
CREATE PROCEDURE dbo.sp_NatLNat
  @CTPT_1 varchar(10),
  @CPTRNAT_2 varchar(10)
AS
BEGIN
  SET NOCOUNT ON;
  SELECT LPTRNAT FROM dbo.PTR WHERE CTPT = @CTPT_1 AND CPTRNAT = @CPTRNAT_2;
  RETURN 0;
END
GO

IF OBJECT_ID(N'dbo.sp_NatPtr', N'P') IS NOT NULL DROP PROCEDURE dbo.sp_NatPtr;
GO
CREATE PROCEDURE dbo.sp_NatPtr
  @CTPT_1 varchar(10),
  @CPTRNAT_2 varchar(10)
AS
BEGIN
  SET NOCOUNT ON;
  SELECT APTR FROM dbo.PTR WHERE CTPT = @CTPT_1 AND CPTRNAT = @CPTRNAT_2;
  RETURN 0;
END
GO

IF OBJECT_ID(N'dbo.sp_PtrNat', N'P') IS NOT NULL DROP PROCEDURE dbo.sp_PtrNat;
GO
CREATE PROCEDURE dbo.sp_PtrNat
  @CTPT_1 varchar(10),
  @APTR_2 int
AS
BEGIN
  SET NOCOUNT ON;
  SELECT LPTRNAT, CPTRNAT FROM dbo.PTR WHERE CTPT = @CTPT_1 AND APTR = @APTR_2;
  RETURN 0;
END
GO

IF OBJECT_ID(N'dbo.sp_PtrCNat', N'P') IS NOT NULL DROP PROCEDURE dbo.sp_PtrCNat;
GO
CREATE PROCEDURE dbo.sp_PtrCNat
  @CTPT_1 varchar(10),
  @APTR_2 int
AS
BEGIN
  SET NOCOUNT ON;
  SELECT CPTRNAT FROM dbo.PTR WHERE CTPT = @CTPT_1 AND APTR = @APTR_2;
  RETURN 0;
END
GO
