/* Demo users of the order database (USUARIOS). USUARIO and SENHA hold the
   upper-cased name and password in the suite's encoding (two letters A-P
   per character); the 11th character of ACESSO grants the cash program
   (the name's first letter moved up by 12: C -> O).
   Demo login: user CAIXA, password 123 (workstation 01 in demo.sql).
   Loaded by create.sh after demo.sql. */
INSERT INTO USUARIOS (USUARIO, CODIGO, SENHA, ACESSO, LOGADO, ESTACAO)
VALUES ('AKMCEKAKBK', '001', 'JJJBIJ', 'SSSSSSSSSSOSSSSSSSSS', 'N', '01');
