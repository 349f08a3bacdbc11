-- Rows every new database starts with: the own-company row 1 (empty until the
-- user fills it in) and the built-in account ADMIN with the password "kubol".
-- The dictionary entries come from slowniki.sql. {{HASLO:text}} becomes the
-- salted hash of the text, salted anew for every database.

INSERT INTO firmy (IDFIRMY,NAZWA,KOD,MIASTO,ULICA,NUMER,KRAJ,NIP,NIPUE,REGON,BANK,ROR,TELEFON,FAX,EMAIL,WWW,KKOD,KMIASTO,KULICA,KNUMER,KKRAJ,KTELEFON,KFAX,KEMAIL,INNE) VALUES (1,'','','','','','','','','','','','','','','','','','','','','','','','');

INSERT INTO userzy (NAZWA,HASLO,OPIS,SUPERVISOR) VALUES ('ADMIN','{{HASLO:kubol}}','Administrator','T');
