/* The order database shared by the suite's programs: customer orders,
   users and workstations. Loaded by create.sh into a database of SQL
   dialect 3 whose default character set is WIN1252.
   Short codes and flags are CHAR (the till reads them without padding),
   the rest VARCHAR. Names and agreements compare without regard to case
   (and accents) through the Brazilian collation, so their indexes serve
   case-insensitive searches. */

CREATE TABLE PEDIDOS (
  ESTACAO              CHAR(2) NOT NULL,
  NPEDIDO              INTEGER NOT NULL,
  NOME                 VARCHAR(40) COLLATE WIN_PTBR,
  ENDER1               VARCHAR(60),
  ENDER2               VARCHAR(40),
  FONE                 VARCHAR(30),
  MEDICO               VARCHAR(40),
  ESTACAOCLIENTE       CHAR(2),
  CODIGOCLIENTE        INTEGER,
  DATAPEDIDO           DATE,
  HORAPEDIDO           TIME,
  RECEBIDOPOR          VARCHAR(20),
  ENTREGUEPOR          VARCHAR(20),
  DATAENTREGA          DATE,
  HORAENTREGA          TIME,
  TIPOPEDIDO           VARCHAR(7),
  QDEFORMULAS          INTEGER,
  PRECOFINAL           DECIMAL(15,2),
  PRECOTOTAL           DECIMAL(15,2),
  USASUBSTCONTR        CHAR(1),
  CUPOMFISCAL          INTEGER,
  JANOLIVRO            CHAR(1),
  CRM                  VARCHAR(10),
  OBS1                 VARCHAR(50),
  OBS2                 VARCHAR(50),
  VETF                 VARCHAR(9),
  CONVENIO             VARCHAR(40) COLLATE WIN_PTBR,
  DESCPERC             DECIMAL(15,2),
  DESCONTO             DECIMAL(15,2),
  SINAL                DECIMAL(15,2),
  VALORRESTANTE        DECIMAL(15,2),
  VENCIMENTO           DATE,
  PAGO                 CHAR(1),
  DATAPAGAMENTO        DATE,
  PRONTO               CHAR(1),
  ENTREGUE             CHAR(1),
  IMPORTADO            CHAR(1),
  REFERENCIA           VARCHAR(20),
  EMPRESA              CHAR(2),
  MATRICULA            VARCHAR(10),
  FORMAPAGAMENTO       VARCHAR(40),
  CODENTREGA           VARCHAR(13),
  SITENTREGA           CHAR(2),
  CUSTO                DECIMAL(15,2),
  VENDEDOR             VARCHAR(15),
  CAIXA                VARCHAR(15),
  CAIXAQ               VARCHAR(15),
  LABORATORIO          VARCHAR(10),
  ACRESCPERC           DECIMAL(15,2),
  NPED                 INTEGER,
  NCF                  INTEGER,
  DATA_CONF_ENTREGA    DATE,
  TIPODOCUMENTO        CHAR(4),
  NUMDOCUMENTO         VARCHAR(15),
  ORGAOEXPEDIDOR       VARCHAR(12),
  UFEMISSAODOCUMENTO   CHAR(2),
  CONSELHOPROFISSIONAL VARCHAR(10),
  UFCONSELHO           CHAR(2),
  PACIENTE             VARCHAR(40) COLLATE WIN_PTBR,
  FONEPACIENTE         VARCHAR(30),
  CONSTRAINT PK_PEDIDOS PRIMARY KEY (ESTACAO, NPEDIDO)
);

CREATE INDEX CONVDATA ON PEDIDOS (CONVENIO, DATAPEDIDO);
CREATE DESCENDING INDEX CONVDATADESC ON PEDIDOS (CONVENIO, DATAPEDIDO);
CREATE DESCENDING INDEX NOMEDATADESC ON PEDIDOS (NOME, DATAPEDIDO);
CREATE INDEX NOMENP ON PEDIDOS (NOME, NPEDIDO);
CREATE INDEX PACIENTE ON PEDIDOS (PACIENTE);

CREATE TABLE USUARIOS (
  USUARIO          VARCHAR(30) NOT NULL,
  CODIGO           VARCHAR(10),
  SENHA            VARCHAR(12),
  ACESSO           VARCHAR(100),
  ARQUIVO          VARCHAR(8),
  LOGADO           CHAR(1),
  ESTACAO          VARCHAR(15),
  CONSIST_INICIAL  CHAR(1),
  DEFVIDEOQOR      INTEGER,
  CONSTRAINT PK_USUARIOS PRIMARY KEY (USUARIO)
);

CREATE TABLE ESTACOES (
  ESTACAO            CHAR(3) NOT NULL,
  DATBASNAM          VARCHAR(60),
  TIPO               VARCHAR(16),
  ATCAIXA            VARCHAR(60),
  ESVAZIAR           CHAR(3),
  EMUSO              CHAR(3),
  CAMINHOREQUISICAO  VARCHAR(80),
  CAMINHOOM          VARCHAR(80),
  CAMINHOECF         VARCHAR(80),
  CAMINHOSEQUENCIAL1 VARCHAR(80),
  CAMINHO2           VARCHAR(80),
  ROTULO1            VARCHAR(80),
  ROTULO2            VARCHAR(80),
  ROTULO3            VARCHAR(80),
  ROTULO4            VARCHAR(80),
  ROTULO5            VARCHAR(80),
  ROTULO6            VARCHAR(80),
  USUARIO            VARCHAR(60),
  CONSTRAINT PK_ESTACOES PRIMARY KEY (ESTACAO)
);

COMMIT;
