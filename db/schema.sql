-- Customs database tables read by the print generation, plus the print work
-- table IMP. Creates a new embedded database; every column is nullable.
--
-- Columns are named kind letter + table code + field: c code, l description,
-- d date, m amount, q quantity, n number, i identifier. Texts compare without
-- regard to case, as on the server. Dates are 'YYYY-MM-DD' or
-- 'YYYY-MM-DD HH:MM:SS' text. Declaration keys (iddt, iliq, ibnf, ...) and
-- item numbers (nart, ndbkarte, ...) are text: the queries compare them as
-- quoted literals and item numbers keep their four digits ('0000', '0001').

-- DDT: declaration header
CREATE TABLE DDT (
  iddt        TEXT COLLATE NOCASE,
  iddtext     TEXT COLLATE NOCASE,
  idal        TEXT COLLATE NOCASE,
  ista        TEXT COLLATE NOCASE,
  cddtimpexp  TEXT COLLATE NOCASE,
  cddtstudev  TEXT COLLATE NOCASE,
  cddtbur     TEXT COLLATE NOCASE,
  cddtmdetrn  TEXT COLLATE NOCASE,
  cddtiva     TEXT COLLATE NOCASE,
  lddtnomioe  TEXT COLLATE NOCASE,
  nddtimmioe  TEXT COLLATE NOCASE,
  cddtagr     TEXT COLLATE NOCASE,
  cddttransp  TEXT COLLATE NOCASE,
  lddtnomfod  TEXT COLLATE NOCASE,
  itit        TEXT COLLATE NOCASE,
  idso        TEXT COLLATE NOCASE,
  nddtimmtrn  TEXT COLLATE NOCASE,
  cddtpaytrn  TEXT COLLATE NOCASE,
  cddtpaidst  TEXT COLLATE NOCASE,
  dddtarvtrn  DATETIME,
  cddtmrqnum  TEXT COLLATE NOCASE,
  qddtbultos  INTEGER,
  qddtpdsbrt  DECIMAL(18,3),
  cddtdep     TEXT COLLATE NOCASE,
  dddtvenemb  DATETIME,
  qddtregsus  INTEGER,
  nddtnumcvt  TEXT COLLATE NOCASE,
  cddtmot     TEXT COLLATE NOCASE,
  cddtburdst  TEXT COLLATE NOCASE,
  cddtincote  TEXT COLLATE NOCASE,
  mddtfob     DECIMAL(18,2),
  cddtdevfob  TEXT COLLATE NOCASE,
  mddtfle     DECIMAL(18,2),
  cddtdevfle  TEXT COLLATE NOCASE,
  mddtass     DECIMAL(18,2),
  cddtdevass  TEXT COLLATE NOCASE,
  cddtprd     TEXT COLLATE NOCASE,
  cddteta     TEXT COLLATE NOCASE,
  cddtcirvis  TEXT COLLATE NOCASE,
  rotddt      TEXT COLLATE NOCASE,
  cddtramo    TEXT COLLATE NOCASE
);
CREATE INDEX DDT_iddtext ON DDT (iddtext);
CREATE INDEX DDT_iddt ON DDT (iddt);

-- ART: items of a declaration (nart internal number, nartext printed number)
CREATE TABLE ART (
  iddt        TEXT COLLATE NOCASE,
  nart        TEXT COLLATE NOCASE,
  nartext     TEXT COLLATE NOCASE,
  Lista       TEXT COLLATE NOCASE,
  carttyp     TEXT COLLATE NOCASE,
  iespnce     TEXT COLLATE NOCASE,
  iespnalgat  TEXT COLLATE NOCASE,
  cartpro     TEXT COLLATE NOCASE,
  cartuso     TEXT COLLATE NOCASE,
  qartkgrnet  DECIMAL(18,4),
  cartpayori  TEXT COLLATE NOCASE,
  cartpayprc  TEXT COLLATE NOCASE,
  cartuntest  TEXT COLLATE NOCASE,
  qartuntest  DECIMAL(18,4),
  cartcodean  TEXT COLLATE NOCASE,
  cartsbitem  TEXT COLLATE NOCASE,
  martunitar  DECIMAL(18,4),
  cartuntdcl  TEXT COLLATE NOCASE,
  qartuntdcl  DECIMAL(18,4),
  martfob     DECIMAL(18,2),
  martfobdol  DECIMAL(18,2),
  qartde      DECIMAL(18,4),
  martpreofi  DECIMAL(18,4),
  martvalde   DECIMAL(18,4),
  cartuntofi  TEXT COLLATE NOCASE,
  cartunde    TEXT COLLATE NOCASE,
  martcoefic  DECIMAL(18,6),
  cartlman    TEXT COLLATE NOCASE,
  MARTAJUINC  DECIMAL(18,2),
  martbasdiv  DECIMAL(18,2),
  martbasimp  DECIMAL(18,2),
  martinstmp  DECIMAL(18,2),
  martajuded  DECIMAL(18,2),
  martinscon  DECIMAL(18,2),
  NARTCUPO    TEXT COLLATE NOCASE,
  CARTCUPO    TEXT COLLATE NOCASE,
  NARTOCUPO   TEXT COLLATE NOCASE,
  CARTOCUPO   TEXT COLLATE NOCASE
);
CREATE INDEX ART_iddt_nart ON ART (iddt, nart);

-- LIT: settlement lines of a declaration (tax, motive, paid/guaranteed type)
CREATE TABLE LIT (
  iliq     TEXT COLLATE NOCASE,
  clittax  TEXT COLLATE NOCASE,
  clitmot  TEXT COLLATE NOCASE,
  clittyp  TEXT COLLATE NOCASE,
  mlit     DECIMAL(18,2)
);
CREATE INDEX LIT_iliq ON LIT (iliq);

-- LIQ: settlement totals of a declaration (paid and guaranteed)
CREATE TABLE LIQ (
  iliq     TEXT COLLATE NOCASE,
  mliq     DECIMAL(18,2),
  mliqgar  DECIMAL(18,2)
);
CREATE INDEX LIQ_iliq ON LIQ (iliq);

-- LQA: settlement lines of an item (tax, base, rate, amount)
CREATE TABLE LQA (
  iliq        TEXT COLLATE NOCASE,
  nart        TEXT COLLATE NOCASE,
  clqatax     TEXT COLLATE NOCASE,
  clqatyp     TEXT COLLATE NOCASE,
  qlqacoefic  DECIMAL(18,4),
  mlqabas     DECIMAL(18,2),
  mlqa        DECIMAL(18,2)
);
CREATE INDEX LQA_iliq_nart ON LQA (iliq, nart);

-- BNF: benefits (reimbursements) to collect, per declaration ('0000') and item
CREATE TABLE BNF (
  ibnf        TEXT COLLATE NOCASE,
  nart        TEXT COLLATE NOCASE,
  cbnftax     TEXT COLLATE NOCASE,
  mbnfcoefic  DECIMAL(18,4),
  mbnfbas     DECIMAL(18,2),
  mbnf        DECIMAL(18,2)
);
CREATE INDEX BNF_ibnf_nart ON BNF (ibnf, nart);

-- DBK: drawback amounts, per declaration ('0000') and item
CREATE TABLE DBK (
  idbk      TEXT COLLATE NOCASE,
  ndbkarte  TEXT COLLATE NOCASE,
  cdbktax   TEXT COLLATE NOCASE,
  mdbktax   DECIMAL(18,2)
);
CREATE INDEX DBK_idbk_ndbkarte ON DBK (idbk, ndbkarte);

-- PTR: coded parameters (natural code and number per parameter type)
CREATE TABLE PTR (
  CTPT     TEXT COLLATE NOCASE,
  CPTRNAT  TEXT COLLATE NOCASE,
  LPTRNAT  TEXT COLLATE NOCASE,
  APTR     INTEGER
);
CREATE INDEX PTR_ctpt_cptrnat ON PTR (CTPT, CPTRNAT);
CREATE INDEX PTR_ctpt_aptr ON PTR (CTPT, APTR);

-- PAY: countries (dated)
CREATE TABLE PAY (
  CPAY     TEXT COLLATE NOCASE,
  lpayabr  TEXT COLLATE NOCASE,
  DPAYEFF  DATETIME,
  DPAYFIN  DATETIME
);
CREATE INDEX PAY_cpay ON PAY (CPAY);

-- PRV: provinces of origin (dated)
CREATE TABLE PRV (
  cprv     TEXT COLLATE NOCASE,
  lprv     TEXT COLLATE NOCASE,
  DPRVEFF  DATETIME,
  DPRVFIN  DATETIME
);
CREATE INDEX PRV_cprv ON PRV (cprv);

-- BUR: customs offices (dated)
CREATE TABLE BUR (
  CBUR     TEXT COLLATE NOCASE,
  lbur     TEXT COLLATE NOCASE,
  DBUREFF  DATETIME,
  DBURFIN  DATETIME
);
CREATE INDEX BUR_cbur ON BUR (CBUR);

-- DEV: currencies (dated)
CREATE TABLE DEV (
  CDEV     TEXT COLLATE NOCASE,
  cdevr    TEXT COLLATE NOCASE,
  DDEVEFF  DATETIME,
  DDEVFIN  DATETIME
);
CREATE INDEX DEV_cdev ON DEV (CDEV);

-- NEB: kinds of packaging (dated)
CREATE TABLE NEB (
  tnebnatemb  TEXT COLLATE NOCASE,
  lnebnatemb  TEXT COLLATE NOCASE,
  dnebeff     DATETIME,
  dnebfin     DATETIME
);
CREATE INDEX NEB_tnebnatemb ON NEB (tnebnatemb);

-- UMM: units of measure (dated)
CREATE TABLE UMM (
  CUMMUNTMSR  TEXT COLLATE NOCASE,
  lummuntmsr  TEXT COLLATE NOCASE,
  DUMMEFF     DATETIME,
  DUMMFIN     DATETIME
);
CREATE INDEX UMM_cummuntmsr ON UMM (CUMMUNTMSR);

-- MAG: warehouses of a customs office (dated)
CREATE TABLE MAG (
  CMAGCODBUR  TEXT COLLATE NOCASE,
  CMAG        TEXT COLLATE NOCASE,
  lmag        TEXT COLLATE NOCASE,
  DMAGEFF     DATETIME,
  DMAGFIN     DATETIME
);
CREATE INDEX MAG_cmagcodbur_cmag ON MAG (CMAGCODBUR, CMAG);

-- STA: sub-regimes / destination types, with entity and organism (dated)
CREATE TABLE STA (
  ISTA        TEXT COLLATE NOCASE,
  lsta        TEXT COLLATE NOCASE,
  cstadepalm  TEXT COLLATE NOCASE,
  cstalicaut  TEXT COLLATE NOCASE,
  CSTAENT     TEXT COLLATE NOCASE,
  CSTAORG     TEXT COLLATE NOCASE,
  DSTAEFF     DATETIME,
  DSTAFIN     DATETIME
);
CREATE INDEX STA_ista ON STA (ISTA);

-- DOC: document codes by internal document code (dated DDOCINI/DDOCFIN)
CREATE TABLE DOC (
  CDOCINT  TEXT COLLATE NOCASE,
  CDOC     TEXT COLLATE NOCASE,
  DDOCINI  DATETIME,
  DDOCFIN  DATETIME
);
CREATE INDEX DOC_cdocint ON DOC (CDOCINT);

-- ORG: intervening organisms
CREATE TABLE ORG (
  CAGE  TEXT COLLATE NOCASE,
  LAGE  TEXT COLLATE NOCASE
);
CREATE INDEX ORG_cage ON ORG (CAGE);

-- EST: states of the goods
CREATE TABLE EST (
  cestcod  TEXT COLLATE NOCASE,
  ldescri  TEXT COLLATE NOCASE
);
CREATE INDEX EST_cestcod ON EST (cestcod);

-- TPR: transport data of a declaration (agent, manifest, rate, guide weight)
CREATE TABLE TPR (
  iddt        TEXT COLLATE NOCASE,
  ltprtransp  TEXT COLLATE NOCASE,
  ctprtld     TEXT COLLATE NOCASE,
  mtprcotiz   DECIMAL(18,6),
  nldsmsrbrt  DECIMAL(18,3),
  ctprdapreg  TEXT COLLATE NOCASE
);
CREATE INDEX TPR_iddt ON TPR (iddt);

-- BUL: packages of a declaration
CREATE TABLE BUL (
  iddt        TEXT COLLATE NOCASE,
  cbulnatemb  TEXT COLLATE NOCASE
);
CREATE INDEX BUL_iddt ON BUL (iddt);

-- LGP: guarantees of a declaration
CREATE TABLE LGP (
  iddt     TEXT COLLATE NOCASE,
  clgpgar  TEXT COLLATE NOCASE
);
CREATE INDEX LGP_iddt ON LGP (iddt);

-- LPP: payments of a declaration
CREATE TABLE LPP (
  iddt        TEXT COLLATE NOCASE,
  clppexe     TEXT COLLATE NOCASE,
  clppbol     TEXT COLLATE NOCASE,
  clpptipcta  TEXT COLLATE NOCASE,
  clppmdpago  TEXT COLLATE NOCASE
);
CREATE INDEX LPP_iddt ON LPP (iddt);

-- CPL: complementary information, per declaration ('0000') and item
CREATE TABLE CPL (
  icpl     TEXT COLLATE NOCASE,
  nart     TEXT COLLATE NOCASE,
  icpldif  TEXT COLLATE NOCASE,
  ccpl     TEXT COLLATE NOCASE,
  mcpl     TEXT COLLATE NOCASE
);
CREATE INDEX CPL_icpl_nart ON CPL (icpl, nart);

-- DVD: documents to present, per declaration ('0000') and item
CREATE TABLE DVD (
  idvd        TEXT COLLATE NOCASE,
  nart        TEXT COLLATE NOCASE,
  cdvddoc     TEXT COLLATE NOCASE,
  ldvdrefdoc  TEXT COLLATE NOCASE
);
CREATE INDEX DVD_idvd_nart ON DVD (idvd, nart);

-- DSC: goods description lines of an item
CREATE TABLE DSC (
  iddt      TEXT COLLATE NOCASE,
  nart      TEXT COLLATE NOCASE,
  cdsclin   INTEGER,
  ldscdesc  TEXT COLLATE NOCASE
);
CREATE INDEX DSC_iddt_nart ON DSC (iddt, nart);

-- SBT: sub-items of an item, with their value suffix list
CREATE TABLE SBT (
  iddt        TEXT COLLATE NOCASE,
  nart        TEXT COLLATE NOCASE,
  isbt        TEXT COLLATE NOCASE,
  csbtsvl     TEXT COLLATE NOCASE,
  msbtfob     DECIMAL(18,2),
  qsbtuntdcl  DECIMAL(18,4),
  msbtunitar  DECIMAL(18,4),
  qsbtde      DECIMAL(18,4),
  lsbtmarca   TEXT COLLATE NOCASE,
  csbtcodean  TEXT COLLATE NOCASE
);
CREATE INDEX SBT_iddt_nart ON SBT (iddt, nart);

-- SVL: value suffixes of an item
CREATE TABLE SVL (
  iddt     TEXT COLLATE NOCASE,
  nart     TEXT COLLATE NOCASE,
  csvlsvl  TEXT COLLATE NOCASE,
  lsvlsvl  TEXT COLLATE NOCASE
);
CREATE INDEX SVL_iddt_nart ON SVL (iddt, nart);

-- SRG: regimes (advantages) of an item
CREATE TABLE SRG (
  isrg  TEXT COLLATE NOCASE,
  nart  TEXT COLLATE NOCASE,
  csrg  TEXT COLLATE NOCASE
);
CREATE INDEX SRG_isrg_nart ON SRG (isrg, nart);

-- JRD: gross-income tax jurisdictions and the taxes listed under them (dated)
CREATE TABLE JRD (
  cjrd      TEXT COLLATE NOCASE,
  cjrdtax   TEXT COLLATE NOCASE,
  ljrddesc  TEXT COLLATE NOCASE,
  DJRDEFF   DATETIME,
  DJRDFIN   DATETIME
);
CREATE INDEX JRD_cjrd ON JRD (cjrd);
CREATE INDEX JRD_cjrdtax ON JRD (cjrdtax);

-- DCN: earlier declarations cancelled by an item
CREATE TABLE DCN (
  idcn        TEXT COLLATE NOCASE,
  ndcnart     TEXT COLLATE NOCASE,
  IDCNAPU     TEXT COLLATE NOCASE,
  idcnespnce  TEXT COLLATE NOCASE,
  NDCNARTAPU  INTEGER,
  NDCNSBTAPU  INTEGER,
  qdcnapu     DECIMAL(18,4),
  CDCNEXPAPU  TEXT COLLATE NOCASE,
  ndcnorden   INTEGER,
  cdcnresol   TEXT COLLATE NOCASE,
  IDCNCTC     TEXT COLLATE NOCASE,
  NDCNVER     INTEGER
);
CREATE INDEX DCN_idcn_ndcnart ON DCN (idcn, ndcnart);

-- AFI: seller documents cancelled by an item
CREATE TABLE AFI (
  IDDT      TEXT COLLATE NOCASE,
  NART      TEXT COLLATE NOCASE,
  CAFIPARA  TEXT COLLATE NOCASE,
  IAFIDOC   TEXT COLLATE NOCASE,
  CAFICVEN  TEXT COLLATE NOCASE,
  QAFICANC  DECIMAL(18,4)
);
CREATE INDEX AFI_iddt_nart ON AFI (IDDT, NART);

-- TRC: third parties of a declaration
CREATE TABLE TRC (
  iddt        TEXT COLLATE NOCASE,
  ctrctipdoc  TEXT COLLATE NOCASE,
  ctrcnumdoc  TEXT COLLATE NOCASE,
  ltrcnombre  TEXT COLLATE NOCASE,
  ltrcdomic   TEXT COLLATE NOCASE
);
CREATE INDEX TRC_iddt ON TRC (iddt);

-- DIB: gross-income tax distribution among jurisdictions
CREATE TABLE DIB (
  iddt        TEXT COLLATE NOCASE,
  CDIBJURIS   TEXT COLLATE NOCASE,
  QDIBCOEFIC  DECIMAL(18,6),
  CDIBVEN     TEXT COLLATE NOCASE
);
CREATE INDEX DIB_iddt ON DIB (iddt);

-- CIB: declarant's standing before the gross-income tax
CREATE TABLE CIB (
  iddt        TEXT COLLATE NOCASE,
  CCIBEXENTO  TEXT COLLATE NOCASE,
  CCIBINSCON  TEXT COLLATE NOCASE,
  CCIBNUMINS  TEXT COLLATE NOCASE
);
CREATE INDEX CIB_iddt ON CIB (iddt);

-- ICT: catalogued product information of an item and sub-item
CREATE TABLE ICT (
  iddt  TEXT COLLATE NOCASE,
  nart  TEXT COLLATE NOCASE,
  isbt  TEXT COLLATE NOCASE,
  CCTG  TEXT COLLATE NOCASE,
  CICT  TEXT COLLATE NOCASE
);
CREATE INDEX ICT_iddt_nart ON ICT (iddt, nart);

-- DCP: quotas of a declaration
CREATE TABLE DCP (
  IDDT      TEXT COLLATE NOCASE,
  CCUP      TEXT COLLATE NOCASE,
  CCUPDESC  TEXT COLLATE NOCASE
);
CREATE INDEX DCP_iddt_ccup ON DCP (IDDT, CCUP);

-- CID: technical certificates of an item
CREATE TABLE CID (
  iddt     TEXT COLLATE NOCASE,
  nart     TEXT COLLATE NOCASE,
  IETI     TEXT COLLATE NOCASE,
  NETIVER  INTEGER
);
CREATE INDEX CID_iddt_nart ON CID (iddt, nart);

-- KDSC: goods description of an item or sub-item, in numbered blocks
CREATE TABLE KDSC (
  IDDT     TEXT COLLATE NOCASE,
  NART     TEXT COLLATE NOCASE,
  ISBT     TEXT COLLATE NOCASE,
  NDSCBLQ  INTEGER,
  CDSCDSC  TEXT COLLATE NOCASE
);
CREATE INDEX KDSC_iddt_nart_isbt ON KDSC (IDDT, NART, ISBT);

-- RTL: label and value of an item or sub-item
CREATE TABLE RTL (
  IDDT       TEXT COLLATE NOCASE,
  NART       TEXT COLLATE NOCASE,
  ISBT       TEXT COLLATE NOCASE,
  CRTLROT    TEXT COLLATE NOCASE,
  CRTLVALOR  TEXT COLLATE NOCASE
);
CREATE INDEX RTL_iddt_nart_isbt ON RTL (IDDT, NART, ISBT);

-- IMP: print work table, one row per field per page (TIPO 0 cover/items, 1 continuation)
CREATE TABLE IMP (
  NRO_HOJA   INTEGER,
  TIPO       INTEGER,
  NRO_CAMPO  TEXT COLLATE NOCASE,
  VALOR      TEXT COLLATE NOCASE
);
CREATE INDEX IMP_tipo_nro_hoja ON IMP (TIPO, NRO_HOJA);
