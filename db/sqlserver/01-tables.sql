-- The tables and columns of the customs database that the print generation
-- reads, and the print work table IMP, for a SQL Server test or staging
-- database. Run with sqlcmd (GO separates the batches) in a database whose
-- collation ignores case (for example Modern_Spanish_CI_AS), as the customs
-- database's does: codes compare without regard to case.
--
-- Each table is created only when missing, so the script can run again on a
-- database that already has some of them. Every column is nullable. Columns
-- are named kind letter + table code + field: c code, l description, d date,
-- m amount, q quantity, n number, i identifier. Keys and item numbers are
-- text ('0000', '0001'); amounts are exact DECIMAL; dates are datetime.

SET NOCOUNT ON;
GO

IF OBJECT_ID(N'dbo.DDT', N'U') IS NULL
CREATE TABLE dbo.DDT (
  iddt       varchar(255) NULL,
  iddtext    varchar(255) NULL,
  idal       varchar(255) NULL,
  ista       varchar(255) NULL,
  cddtimpexp varchar(255) NULL,
  cddtstudev varchar(255) NULL,
  cddtbur    varchar(255) NULL,
  cddtmdetrn varchar(255) NULL,
  cddtiva    varchar(255) NULL,
  lddtnomioe varchar(4000) NULL,
  nddtimmioe varchar(255) NULL,
  cddtagr    varchar(255) NULL,
  cddttransp varchar(255) NULL,
  lddtnomfod varchar(4000) NULL,
  itit       varchar(255) NULL,
  idso       varchar(255) NULL,
  nddtimmtrn varchar(255) NULL,
  cddtpaytrn varchar(255) NULL,
  cddtpaidst varchar(255) NULL,
  dddtarvtrn datetime NULL,
  cddtmrqnum varchar(255) NULL,
  qddtbultos int NULL,
  qddtpdsbrt DECIMAL(18,3) NULL,
  cddtdep    varchar(255) NULL,
  dddtvenemb datetime NULL,
  qddtregsus int NULL,
  nddtnumcvt varchar(255) NULL,
  cddtmot    varchar(255) NULL,
  cddtburdst varchar(255) NULL,
  cddtincote varchar(255) NULL,
  mddtfob    DECIMAL(18,2) NULL,
  cddtdevfob varchar(255) NULL,
  mddtfle    DECIMAL(18,2) NULL,
  cddtdevfle varchar(255) NULL,
  mddtass    DECIMAL(18,2) NULL,
  cddtdevass varchar(255) NULL,
  cddtprd    varchar(255) NULL,
  cddteta    varchar(255) NULL,
  cddtcirvis varchar(255) NULL,
  rotddt     varchar(4000) NULL,
  cddtramo   varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DDT_iddtext' AND object_id = OBJECT_ID(N'dbo.DDT'))
  CREATE INDEX DDT_iddtext ON dbo.DDT (iddtext);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DDT_iddt' AND object_id = OBJECT_ID(N'dbo.DDT'))
  CREATE INDEX DDT_iddt ON dbo.DDT (iddt);
GO

-- ART: items of a declaration (nart internal number, nartext printed number)
IF OBJECT_ID(N'dbo.ART', N'U') IS NULL
CREATE TABLE dbo.ART (
  iddt       varchar(255) NULL,
  nart       varchar(255) NULL,
  nartext    varchar(255) NULL,
  Lista      varchar(4000) NULL,
  carttyp    varchar(255) NULL,
  iespnce    varchar(255) NULL,
  iespnalgat varchar(255) NULL,
  cartpro    varchar(255) NULL,
  cartuso    varchar(255) NULL,
  qartkgrnet DECIMAL(18,4) NULL,
  cartpayori varchar(255) NULL,
  cartpayprc varchar(255) NULL,
  cartuntest varchar(255) NULL,
  qartuntest DECIMAL(18,4) NULL,
  cartcodean varchar(255) NULL,
  cartsbitem varchar(255) NULL,
  martunitar DECIMAL(18,4) NULL,
  cartuntdcl varchar(255) NULL,
  qartuntdcl DECIMAL(18,4) NULL,
  martfob    DECIMAL(18,2) NULL,
  martfobdol DECIMAL(18,2) NULL,
  qartde     DECIMAL(18,4) NULL,
  martpreofi DECIMAL(18,4) NULL,
  martvalde  DECIMAL(18,4) NULL,
  cartuntofi varchar(255) NULL,
  cartunde   varchar(255) NULL,
  martcoefic DECIMAL(18,6) NULL,
  cartlman   varchar(255) NULL,
  MARTAJUINC DECIMAL(18,2) NULL,
  martbasdiv DECIMAL(18,2) NULL,
  martbasimp DECIMAL(18,2) NULL,
  martinstmp DECIMAL(18,2) NULL,
  martajuded DECIMAL(18,2) NULL,
  martinscon DECIMAL(18,2) NULL,
  NARTCUPO   varchar(255) NULL,
  CARTCUPO   varchar(255) NULL,
  NARTOCUPO  varchar(255) NULL,
  CARTOCUPO  varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ART_iddt_nart' AND object_id = OBJECT_ID(N'dbo.ART'))
  CREATE INDEX ART_iddt_nart ON dbo.ART (iddt, nart);
GO

-- LIT: settlement lines of a declaration (tax, motive, paid/guaranteed type)
IF OBJECT_ID(N'dbo.LIT', N'U') IS NULL
CREATE TABLE dbo.LIT (
  iliq    varchar(255) NULL,
  clittax varchar(255) NULL,
  clitmot varchar(255) NULL,
  clittyp varchar(255) NULL,
  mlit    DECIMAL(18,2) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'LIT_iliq' AND object_id = OBJECT_ID(N'dbo.LIT'))
  CREATE INDEX LIT_iliq ON dbo.LIT (iliq);
GO

-- LIQ: settlement totals of a declaration (paid and guaranteed)
IF OBJECT_ID(N'dbo.LIQ', N'U') IS NULL
CREATE TABLE dbo.LIQ (
  iliq    varchar(255) NULL,
  mliq    DECIMAL(18,2) NULL,
  mliqgar DECIMAL(18,2) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'LIQ_iliq' AND object_id = OBJECT_ID(N'dbo.LIQ'))
  CREATE INDEX LIQ_iliq ON dbo.LIQ (iliq);
GO

-- LQA: settlement lines of an item (tax, base, rate, amount)
IF OBJECT_ID(N'dbo.LQA', N'U') IS NULL
CREATE TABLE dbo.LQA (
  iliq       varchar(255) NULL,
  nart       varchar(255) NULL,
  clqatax    varchar(255) NULL,
  clqatyp    varchar(255) NULL,
  qlqacoefic DECIMAL(18,4) NULL,
  mlqabas    DECIMAL(18,2) NULL,
  mlqa       DECIMAL(18,2) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'LQA_iliq_nart' AND object_id = OBJECT_ID(N'dbo.LQA'))
  CREATE INDEX LQA_iliq_nart ON dbo.LQA (iliq, nart);
GO

-- BNF: benefits (reimbursements) to collect, per declaration ('0000') and item
IF OBJECT_ID(N'dbo.BNF', N'U') IS NULL
CREATE TABLE dbo.BNF (
  ibnf       varchar(255) NULL,
  nart       varchar(255) NULL,
  cbnftax    varchar(255) NULL,
  mbnfcoefic DECIMAL(18,4) NULL,
  mbnfbas    DECIMAL(18,2) NULL,
  mbnf       DECIMAL(18,2) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'BNF_ibnf_nart' AND object_id = OBJECT_ID(N'dbo.BNF'))
  CREATE INDEX BNF_ibnf_nart ON dbo.BNF (ibnf, nart);
GO

-- DBK: drawback amounts, per declaration ('0000') and item
IF OBJECT_ID(N'dbo.DBK', N'U') IS NULL
CREATE TABLE dbo.DBK (
  idbk     varchar(255) NULL,
  ndbkarte varchar(255) NULL,
  cdbktax  varchar(255) NULL,
  mdbktax  DECIMAL(18,2) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DBK_idbk_ndbkarte' AND object_id = OBJECT_ID(N'dbo.DBK'))
  CREATE INDEX DBK_idbk_ndbkarte ON dbo.DBK (idbk, ndbkarte);
GO

-- PTR: coded parameters (natural code and number per parameter type)
IF OBJECT_ID(N'dbo.PTR', N'U') IS NULL
CREATE TABLE dbo.PTR (
  CTPT    varchar(255) NULL,
  CPTRNAT varchar(255) NULL,
  LPTRNAT varchar(4000) NULL,
  APTR    int NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'PTR_ctpt_cptrnat' AND object_id = OBJECT_ID(N'dbo.PTR'))
  CREATE INDEX PTR_ctpt_cptrnat ON dbo.PTR (CTPT, CPTRNAT);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'PTR_ctpt_aptr' AND object_id = OBJECT_ID(N'dbo.PTR'))
  CREATE INDEX PTR_ctpt_aptr ON dbo.PTR (CTPT, APTR);
GO

-- PAY: countries (dated)
IF OBJECT_ID(N'dbo.PAY', N'U') IS NULL
CREATE TABLE dbo.PAY (
  CPAY    varchar(255) NULL,
  lpayabr varchar(4000) NULL,
  DPAYEFF datetime NULL,
  DPAYFIN datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'PAY_cpay' AND object_id = OBJECT_ID(N'dbo.PAY'))
  CREATE INDEX PAY_cpay ON dbo.PAY (CPAY);
GO

-- PRV: provinces of origin (dated)
IF OBJECT_ID(N'dbo.PRV', N'U') IS NULL
CREATE TABLE dbo.PRV (
  cprv    varchar(255) NULL,
  lprv    varchar(4000) NULL,
  DPRVEFF datetime NULL,
  DPRVFIN datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'PRV_cprv' AND object_id = OBJECT_ID(N'dbo.PRV'))
  CREATE INDEX PRV_cprv ON dbo.PRV (cprv);
GO

-- BUR: customs offices (dated)
IF OBJECT_ID(N'dbo.BUR', N'U') IS NULL
CREATE TABLE dbo.BUR (
  CBUR    varchar(255) NULL,
  lbur    varchar(4000) NULL,
  DBUREFF datetime NULL,
  DBURFIN datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'BUR_cbur' AND object_id = OBJECT_ID(N'dbo.BUR'))
  CREATE INDEX BUR_cbur ON dbo.BUR (CBUR);
GO

-- DEV: currencies (dated)
IF OBJECT_ID(N'dbo.DEV', N'U') IS NULL
CREATE TABLE dbo.DEV (
  CDEV    varchar(255) NULL,
  cdevr   varchar(255) NULL,
  DDEVEFF datetime NULL,
  DDEVFIN datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DEV_cdev' AND object_id = OBJECT_ID(N'dbo.DEV'))
  CREATE INDEX DEV_cdev ON dbo.DEV (CDEV);
GO

-- NEB: kinds of packaging (dated)
IF OBJECT_ID(N'dbo.NEB', N'U') IS NULL
CREATE TABLE dbo.NEB (
  tnebnatemb varchar(255) NULL,
  lnebnatemb varchar(4000) NULL,
  dnebeff    datetime NULL,
  dnebfin    datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'NEB_tnebnatemb' AND object_id = OBJECT_ID(N'dbo.NEB'))
  CREATE INDEX NEB_tnebnatemb ON dbo.NEB (tnebnatemb);
GO

-- UMM: units of measure (dated)
IF OBJECT_ID(N'dbo.UMM', N'U') IS NULL
CREATE TABLE dbo.UMM (
  CUMMUNTMSR varchar(255) NULL,
  lummuntmsr varchar(4000) NULL,
  DUMMEFF    datetime NULL,
  DUMMFIN    datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'UMM_cummuntmsr' AND object_id = OBJECT_ID(N'dbo.UMM'))
  CREATE INDEX UMM_cummuntmsr ON dbo.UMM (CUMMUNTMSR);
GO

-- MAG: warehouses of a customs office (dated)
IF OBJECT_ID(N'dbo.MAG', N'U') IS NULL
CREATE TABLE dbo.MAG (
  CMAGCODBUR varchar(255) NULL,
  CMAG       varchar(255) NULL,
  lmag       varchar(4000) NULL,
  DMAGEFF    datetime NULL,
  DMAGFIN    datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'MAG_cmagcodbur_cmag' AND object_id = OBJECT_ID(N'dbo.MAG'))
  CREATE INDEX MAG_cmagcodbur_cmag ON dbo.MAG (CMAGCODBUR, CMAG);
GO

-- STA: sub-regimes / destination types, with entity and organism (dated)
IF OBJECT_ID(N'dbo.STA', N'U') IS NULL
CREATE TABLE dbo.STA (
  ISTA       varchar(255) NULL,
  lsta       varchar(4000) NULL,
  cstadepalm varchar(255) NULL,
  cstalicaut varchar(255) NULL,
  CSTAENT    varchar(255) NULL,
  CSTAORG    varchar(255) NULL,
  DSTAEFF    datetime NULL,
  DSTAFIN    datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'STA_ista' AND object_id = OBJECT_ID(N'dbo.STA'))
  CREATE INDEX STA_ista ON dbo.STA (ISTA);
GO

-- DOC: document codes by internal document code (dated DDOCINI/DDOCFIN)
IF OBJECT_ID(N'dbo.DOC', N'U') IS NULL
CREATE TABLE dbo.DOC (
  CDOCINT varchar(255) NULL,
  CDOC    varchar(255) NULL,
  DDOCINI datetime NULL,
  DDOCFIN datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DOC_cdocint' AND object_id = OBJECT_ID(N'dbo.DOC'))
  CREATE INDEX DOC_cdocint ON dbo.DOC (CDOCINT);
GO

-- ORG: intervening organisms
IF OBJECT_ID(N'dbo.ORG', N'U') IS NULL
CREATE TABLE dbo.ORG (
  CAGE varchar(255) NULL,
  LAGE varchar(4000) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ORG_cage' AND object_id = OBJECT_ID(N'dbo.ORG'))
  CREATE INDEX ORG_cage ON dbo.ORG (CAGE);
GO

-- EST: states of the goods
IF OBJECT_ID(N'dbo.EST', N'U') IS NULL
CREATE TABLE dbo.EST (
  cestcod varchar(255) NULL,
  ldescri varchar(4000) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'EST_cestcod' AND object_id = OBJECT_ID(N'dbo.EST'))
  CREATE INDEX EST_cestcod ON dbo.EST (cestcod);
GO

-- TPR: transport data of a declaration (agent, manifest, rate, guide weight)
IF OBJECT_ID(N'dbo.TPR', N'U') IS NULL
CREATE TABLE dbo.TPR (
  iddt       varchar(255) NULL,
  ltprtransp varchar(4000) NULL,
  ctprtld    varchar(255) NULL,
  mtprcotiz  DECIMAL(18,6) NULL,
  nldsmsrbrt DECIMAL(18,3) NULL,
  ctprdapreg varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'TPR_iddt' AND object_id = OBJECT_ID(N'dbo.TPR'))
  CREATE INDEX TPR_iddt ON dbo.TPR (iddt);
GO

-- BUL: packages of a declaration
IF OBJECT_ID(N'dbo.BUL', N'U') IS NULL
CREATE TABLE dbo.BUL (
  iddt       varchar(255) NULL,
  cbulnatemb varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'BUL_iddt' AND object_id = OBJECT_ID(N'dbo.BUL'))
  CREATE INDEX BUL_iddt ON dbo.BUL (iddt);
GO

-- LGP: guarantees of a declaration
IF OBJECT_ID(N'dbo.LGP', N'U') IS NULL
CREATE TABLE dbo.LGP (
  iddt    varchar(255) NULL,
  clgpgar varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'LGP_iddt' AND object_id = OBJECT_ID(N'dbo.LGP'))
  CREATE INDEX LGP_iddt ON dbo.LGP (iddt);
GO

-- LPP: payments of a declaration
IF OBJECT_ID(N'dbo.LPP', N'U') IS NULL
CREATE TABLE dbo.LPP (
  iddt       varchar(255) NULL,
  clppexe    varchar(255) NULL,
  clppbol    varchar(255) NULL,
  clpptipcta varchar(255) NULL,
  clppmdpago varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'LPP_iddt' AND object_id = OBJECT_ID(N'dbo.LPP'))
  CREATE INDEX LPP_iddt ON dbo.LPP (iddt);
GO

-- CPL: complementary information, per declaration ('0000') and item
IF OBJECT_ID(N'dbo.CPL', N'U') IS NULL
CREATE TABLE dbo.CPL (
  icpl    varchar(255) NULL,
  nart    varchar(255) NULL,
  icpldif varchar(255) NULL,
  ccpl    varchar(255) NULL,
  mcpl    varchar(4000) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'CPL_icpl_nart' AND object_id = OBJECT_ID(N'dbo.CPL'))
  CREATE INDEX CPL_icpl_nart ON dbo.CPL (icpl, nart);
GO

-- DVD: documents to present, per declaration ('0000') and item
IF OBJECT_ID(N'dbo.DVD', N'U') IS NULL
CREATE TABLE dbo.DVD (
  idvd       varchar(255) NULL,
  nart       varchar(255) NULL,
  cdvddoc    varchar(255) NULL,
  ldvdrefdoc varchar(4000) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DVD_idvd_nart' AND object_id = OBJECT_ID(N'dbo.DVD'))
  CREATE INDEX DVD_idvd_nart ON dbo.DVD (idvd, nart);
GO

-- DSC: goods description lines of an item
IF OBJECT_ID(N'dbo.DSC', N'U') IS NULL
CREATE TABLE dbo.DSC (
  iddt     varchar(255) NULL,
  nart     varchar(255) NULL,
  cdsclin  int NULL,
  ldscdesc varchar(4000) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DSC_iddt_nart' AND object_id = OBJECT_ID(N'dbo.DSC'))
  CREATE INDEX DSC_iddt_nart ON dbo.DSC (iddt, nart);
GO

-- SBT: sub-items of an item, with their value suffix list
IF OBJECT_ID(N'dbo.SBT', N'U') IS NULL
CREATE TABLE dbo.SBT (
  iddt       varchar(255) NULL,
  nart       varchar(255) NULL,
  isbt       varchar(255) NULL,
  csbtsvl    varchar(255) NULL,
  msbtfob    DECIMAL(18,2) NULL,
  qsbtuntdcl DECIMAL(18,4) NULL,
  msbtunitar DECIMAL(18,4) NULL,
  qsbtde     DECIMAL(18,4) NULL,
  lsbtmarca  varchar(4000) NULL,
  csbtcodean varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'SBT_iddt_nart' AND object_id = OBJECT_ID(N'dbo.SBT'))
  CREATE INDEX SBT_iddt_nart ON dbo.SBT (iddt, nart);
GO

-- SVL: value suffixes of an item
IF OBJECT_ID(N'dbo.SVL', N'U') IS NULL
CREATE TABLE dbo.SVL (
  iddt    varchar(255) NULL,
  nart    varchar(255) NULL,
  csvlsvl varchar(255) NULL,
  lsvlsvl varchar(4000) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'SVL_iddt_nart' AND object_id = OBJECT_ID(N'dbo.SVL'))
  CREATE INDEX SVL_iddt_nart ON dbo.SVL (iddt, nart);
GO

-- SRG: regimes (advantages) of an item
IF OBJECT_ID(N'dbo.SRG', N'U') IS NULL
CREATE TABLE dbo.SRG (
  isrg varchar(255) NULL,
  nart varchar(255) NULL,
  csrg varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'SRG_isrg_nart' AND object_id = OBJECT_ID(N'dbo.SRG'))
  CREATE INDEX SRG_isrg_nart ON dbo.SRG (isrg, nart);
GO

-- JRD: gross-income tax jurisdictions and the taxes listed under them (dated)
IF OBJECT_ID(N'dbo.JRD', N'U') IS NULL
CREATE TABLE dbo.JRD (
  cjrd     varchar(255) NULL,
  cjrdtax  varchar(255) NULL,
  ljrddesc varchar(4000) NULL,
  DJRDEFF  datetime NULL,
  DJRDFIN  datetime NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'JRD_cjrd' AND object_id = OBJECT_ID(N'dbo.JRD'))
  CREATE INDEX JRD_cjrd ON dbo.JRD (cjrd);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'JRD_cjrdtax' AND object_id = OBJECT_ID(N'dbo.JRD'))
  CREATE INDEX JRD_cjrdtax ON dbo.JRD (cjrdtax);
GO

-- DCN: earlier declarations cancelled by an item
IF OBJECT_ID(N'dbo.DCN', N'U') IS NULL
CREATE TABLE dbo.DCN (
  idcn       varchar(255) NULL,
  ndcnart    varchar(255) NULL,
  IDCNAPU    varchar(255) NULL,
  idcnespnce varchar(255) NULL,
  NDCNARTAPU int NULL,
  NDCNSBTAPU int NULL,
  qdcnapu    DECIMAL(18,4) NULL,
  CDCNEXPAPU varchar(255) NULL,
  ndcnorden  int NULL,
  cdcnresol  varchar(255) NULL,
  IDCNCTC    varchar(255) NULL,
  NDCNVER    int NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DCN_idcn_ndcnart' AND object_id = OBJECT_ID(N'dbo.DCN'))
  CREATE INDEX DCN_idcn_ndcnart ON dbo.DCN (idcn, ndcnart);
GO

-- AFI: seller documents cancelled by an item
IF OBJECT_ID(N'dbo.AFI', N'U') IS NULL
CREATE TABLE dbo.AFI (
  IDDT     varchar(255) NULL,
  NART     varchar(255) NULL,
  CAFIPARA varchar(255) NULL,
  IAFIDOC  varchar(255) NULL,
  CAFICVEN varchar(255) NULL,
  QAFICANC DECIMAL(18,4) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'AFI_iddt_nart' AND object_id = OBJECT_ID(N'dbo.AFI'))
  CREATE INDEX AFI_iddt_nart ON dbo.AFI (IDDT, NART);
GO

-- TRC: third parties of a declaration
IF OBJECT_ID(N'dbo.TRC', N'U') IS NULL
CREATE TABLE dbo.TRC (
  iddt       varchar(255) NULL,
  ctrctipdoc varchar(255) NULL,
  ctrcnumdoc varchar(255) NULL,
  ltrcnombre varchar(4000) NULL,
  ltrcdomic  varchar(4000) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'TRC_iddt' AND object_id = OBJECT_ID(N'dbo.TRC'))
  CREATE INDEX TRC_iddt ON dbo.TRC (iddt);
GO

-- DIB: gross-income tax distribution among jurisdictions
IF OBJECT_ID(N'dbo.DIB', N'U') IS NULL
CREATE TABLE dbo.DIB (
  iddt       varchar(255) NULL,
  CDIBJURIS  varchar(255) NULL,
  QDIBCOEFIC DECIMAL(18,6) NULL,
  CDIBVEN    varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DIB_iddt' AND object_id = OBJECT_ID(N'dbo.DIB'))
  CREATE INDEX DIB_iddt ON dbo.DIB (iddt);
GO

-- CIB: declarant's standing before the gross-income tax
IF OBJECT_ID(N'dbo.CIB', N'U') IS NULL
CREATE TABLE dbo.CIB (
  iddt       varchar(255) NULL,
  CCIBEXENTO varchar(255) NULL,
  CCIBINSCON varchar(255) NULL,
  CCIBNUMINS varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'CIB_iddt' AND object_id = OBJECT_ID(N'dbo.CIB'))
  CREATE INDEX CIB_iddt ON dbo.CIB (iddt);
GO

-- ICT: catalogued product information of an item and sub-item
IF OBJECT_ID(N'dbo.ICT', N'U') IS NULL
CREATE TABLE dbo.ICT (
  iddt varchar(255) NULL,
  nart varchar(255) NULL,
  isbt varchar(255) NULL,
  CCTG varchar(255) NULL,
  CICT varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ICT_iddt_nart' AND object_id = OBJECT_ID(N'dbo.ICT'))
  CREATE INDEX ICT_iddt_nart ON dbo.ICT (iddt, nart);
GO

-- DCP: quotas of a declaration
IF OBJECT_ID(N'dbo.DCP', N'U') IS NULL
CREATE TABLE dbo.DCP (
  IDDT     varchar(255) NULL,
  CCUP     varchar(255) NULL,
  CCUPDESC varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'DCP_iddt_ccup' AND object_id = OBJECT_ID(N'dbo.DCP'))
  CREATE INDEX DCP_iddt_ccup ON dbo.DCP (IDDT, CCUP);
GO

-- CID: technical certificates of an item
IF OBJECT_ID(N'dbo.CID', N'U') IS NULL
CREATE TABLE dbo.CID (
  iddt    varchar(255) NULL,
  nart    varchar(255) NULL,
  IETI    varchar(255) NULL,
  NETIVER int NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'CID_iddt_nart' AND object_id = OBJECT_ID(N'dbo.CID'))
  CREATE INDEX CID_iddt_nart ON dbo.CID (iddt, nart);
GO

-- KDSC: goods description of an item or sub-item, in numbered blocks
IF OBJECT_ID(N'dbo.KDSC', N'U') IS NULL
CREATE TABLE dbo.KDSC (
  IDDT    varchar(255) NULL,
  NART    varchar(255) NULL,
  ISBT    varchar(255) NULL,
  NDSCBLQ int NULL,
  CDSCDSC varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'KDSC_iddt_nart_isbt' AND object_id = OBJECT_ID(N'dbo.KDSC'))
  CREATE INDEX KDSC_iddt_nart_isbt ON dbo.KDSC (IDDT, NART, ISBT);
GO

-- RTL: label and value of an item or sub-item
IF OBJECT_ID(N'dbo.RTL', N'U') IS NULL
CREATE TABLE dbo.RTL (
  IDDT      varchar(255) NULL,
  NART      varchar(255) NULL,
  ISBT      varchar(255) NULL,
  CRTLROT   varchar(255) NULL,
  CRTLVALOR varchar(255) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'RTL_iddt_nart_isbt' AND object_id = OBJECT_ID(N'dbo.RTL'))
  CREATE INDEX RTL_iddt_nart_isbt ON dbo.RTL (IDDT, NART, ISBT);
GO

-- IMP: print work table, one row per field per page (TIPO 0 cover/items, 1 continuation)
IF OBJECT_ID(N'dbo.IMP', N'U') IS NULL
CREATE TABLE dbo.IMP (
  NRO_HOJA  int NULL,
  TIPO      int NULL,
  NRO_CAMPO varchar(255) NULL,
  VALOR     varchar(max) NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IMP_tipo_nro_hoja' AND object_id = OBJECT_ID(N'dbo.IMP'))
  CREATE INDEX IMP_tipo_nro_hoja ON dbo.IMP (TIPO, NRO_HOJA);
GO
