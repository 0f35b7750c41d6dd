#!/bin/sh
# Writes klasa_cp1250.smrk with the sqlite3 command-line tool, the text converted to
# Windows-1250 by iconv on the way in: a class file made byte for byte by another program,
# the way files of the Windows releases hold their Polish letters.
# Run from anywhere; the file lands beside this script. Needs iconv and sqlite3.
set -eu
cd "$(dirname "$0")"
target=klasa_cp1250.smrk
rm -f "$target"
iconv -f UTF-8 -t CP1250 <<'SQL' | sqlite3 "$target"
create table `PESEL02270803628`( id TEXT, comp_name TEXT, value TEXT );
insert into `PESEL02270803628`( id, comp_name, value ) values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'Żółć' );
insert into `PESEL02270803628`( id, comp_name, value ) values( 'DANE UCZNIA', 'Imie_DATA_EDIT', 'Łukasz' );
insert into `PESEL02270803628`( id, comp_name, value ) values( 'DANE UCZNIA', 'Plec_DATA_COMBOBOX', 'mężczyzna' );
insert into `PESEL02270803628`( id, comp_name, value ) values( 'DANE UCZNIA', 'UrodzonyMiasto_DATA_COMBOBOX', 'Kędzierzyn-Koźle' );
insert into `PESEL02270803628`( id, comp_name, value ) values( 'DANE UCZNIA', 'UrodzonyWoj_DATA_COMBOBOX', 'opolskie' );
insert into `PESEL02270803628`( id, comp_name, value ) values( 'WYWIADOWKA SZKOLA PODSTAWOWA 4-6', 'ZMIENNA_Uwagi_DATA_MEMO01', 'Zachowanie wzorowe, ćwiczy grę na skrzypcach' );
insert into `PESEL02270803628`( id, comp_name, value ) values( 'WYWIADOWKA SZKOLA PODSTAWOWA 4-6', 'ZMIENNA_Uwagi_DATA_MEMO02', 'Pochwała dyrektora' );
create table `PESEL03311204561`( id TEXT, comp_name TEXT, value TEXT );
insert into `PESEL03311204561`( id, comp_name, value ) values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'Gęślą' );
insert into `PESEL03311204561`( id, comp_name, value ) values( 'DANE UCZNIA', 'Imie_DATA_EDIT', 'Jaźmina' );
insert into `PESEL03311204561`( id, comp_name, value ) values( 'DANE UCZNIA', 'Plec_DATA_COMBOBOX', 'kobieta' );
insert into `PESEL03311204561`( id, comp_name, value ) values( 'DANE UCZNIA', 'UrodzonyMiasto_DATA_COMBOBOX', 'Łódź' );
SQL
