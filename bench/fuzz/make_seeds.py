#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into corpus/<target>/ beside this script.

Class files are made with python's sqlite3 the way the program lays them out (one table per
pupil, rows id / comp_name / value, text in Windows-1250), with small pages so each seed stays
a few KB. The .srk seeds are Windows-1250 text with the markers the reader looks for.
Run again after changing it; the files are committed, the fuzzers' own finds are not.
"""
import os
import shutil
import sqlite3

HERE = os.path.dirname(os.path.abspath(__file__))
CLASS_DIR = os.path.join(HERE, "corpus", "fuzz_class_file")
SRK_DIR = os.path.join(HERE, "corpus", "fuzz_srk_reader")


def cp(text):
    return text.encode("cp1250")


def class_file(name, setup, page_size=512, journal=None):
    path = os.path.join(CLASS_DIR, name)
    if os.path.exists(path):
        os.remove(path)
    con = sqlite3.connect(path)
    con.execute(f"pragma page_size={page_size}")
    setup(con)
    con.commit()
    if journal:
        con.execute(f"pragma journal_mode={journal}")
    con.close()
    for suffix in ("-wal", "-shm", "-journal"):
        if os.path.exists(path + suffix):
            os.remove(path + suffix)


def pupil(con, pesel, rows):
    table = "PESEL" + pesel
    con.execute(f"create table `{table}`( id TEXT, comp_name TEXT, value TEXT )")
    for doc_id, comp, value in rows:
        # CAST keeps the Windows-1250 bytes as they are, stored as text.
        con.execute(f"insert into `{table}`( id, comp_name, value ) "
                    "values( cast(? as text), cast(? as text), cast(? as text) )",
                    (cp(doc_id), cp(comp), cp(value)))


def pupil_data(surname, first):
    return [("DANE UCZNIA", "Nazwisko_DATA_EDIT", surname),
            ("DANE UCZNIA", "Imie_DATA_EDIT", first)]


CERT = "SWIADECTWO UKONCZENIA KLASY 4 SZKOLY PODST."
NOTE = "WYWIADOWKA SZKOLA PODSTAWOWA 4-6"


def two_pupils(con):
    pupil(con, "02270803628", pupil_data("Żółć", "Łukasz") + [
        ("DANE UCZNIA", "NrPesel_DATA_EDIT", "02270803628"),
        (CERT, "Zachowanie_DATA_COMBOBOX", "wzorowe"),
        (NOTE, "ZMIENNA_Uwagi_DATA_MEMO01", "Ćwiczy grę na skrzypcach"),
        (NOTE, "ZMIENNA_Uwagi_DATA_MEMO02", "Pochwała dyrektora")])
    pupil(con, "03311204561", pupil_data("O'Brien", "Jaźmina"))


def overflow(con):
    # A value longer than a page: its rest lies on overflow pages.
    pupil(con, "11111111111", pupil_data("Długi", "Ćma") + [
        (NOTE, "ZMIENNA_Uwagi_DATA_MEMO01", "ą" * 1500)])


def catalogue_mix(con):
    # Entries that are no pupils: an index, a view, a trigger, a foreign table, odd names.
    pupil(con, "22222222222", pupil_data("Nowak", "Ewa"))
    con.execute("create index `idx_nowak` on `PESEL22222222222`(comp_name)")
    con.execute("create view `widok` as select * from `PESEL22222222222`")
    con.execute("create table `obca`( a INTEGER, b BLOB )")
    con.execute("insert into `obca` values( 1, x'00ff' )")
    con.execute("create trigger `wyzwalacz` after insert on `obca` begin delete from `obca`; end")
    con.execute("create table `PESEL3``x`( id TEXT, comp_name TEXT, value TEXT )")
    con.execute("create table `PESEL44444444444`( id TEXT, nazwa TEXT )")
    pupil(con, "55555555555", [("DANE UCZNIA", "Nazwisko_DATA_EDIT", ""),
                               ("DANE UCZNIA", "Imie_DATA_EDIT", "")])


def freed_pages(con):
    # A pupil deleted again: its pages go to the free list.
    pupil(con, "66666666666", pupil_data("Zieliński", "Adam") + [
        (NOTE, "ZMIENNA_Uwagi_DATA_MEMO01", "x" * 900)])
    pupil(con, "77777777777", pupil_data("Wiśniewska", "Zofia"))
    con.commit()
    con.execute("drop table `PESEL66666666666`")


def no_tables(con):
    con.execute("create table t( a )")
    con.commit()
    con.execute("drop table t")


def make_class_files():
    os.makedirs(CLASS_DIR, exist_ok=True)
    for name in os.listdir(CLASS_DIR):
        os.remove(os.path.join(CLASS_DIR, name))
    shutil.copy(os.path.join(HERE, "..", "..", "tests", "data", "klasa_cp1250.smrk"),
                os.path.join(CLASS_DIR, "klasa_cp1250.smrk"))
    class_file("dwoje.smrk", two_pupils)
    class_file("dluga_wartosc.smrk", overflow)
    class_file("mieszany_katalog.smrk", catalogue_mix)
    class_file("wolne_strony.smrk", freed_pages)
    class_file("pusty.smrk", no_tables)
    class_file("wal.smrk", two_pupils, journal="wal")


# ---- .srk ---------------------------------------------------------------------------------

def block(pesel, surname, documents, extra_pupil_lines=()):
    lines = [f"<DANE SWIADECTW DLA: {surname}>", "linia pomijana",
             "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
             f"<Nazwisko_DATA_EDIT>{surname}", "<Imie_DATA_EDIT>Łucja"]
    if pesel is not None:
        lines.append(f"<NrPesel_DATA_EDIT>{pesel}")
    lines += list(extra_pupil_lines)
    lines.append("</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>")
    for doc_id, fields in documents:
        lines.append(f"<{doc_id}>")
        lines += [f"<{name}>{value}" for name, value in fields]
        lines.append(f"</{doc_id}>")
    lines.append("</KONIEC DANYCH SWIADECTW>")
    return lines


MEMOS = [("ZMIENNA_Uwagi_DATA_MEMO", "pierwsza"), ("ZMIENNA_Uwagi_DATA_MEMO", "druga"),
         ("Zachowanie_DATA_COMBOBOX", "wzorowe"), ("ZMIENNA_Uwagi_DATA_MEMO", "trzecia"),
         ("ZMIENNA_Szczegolne1_DATA_MEMO", "od nowa 01")]


def srk(name, lines, eol="\n", tail=b""):
    data = cp(eol.join(lines) + eol) + tail
    with open(os.path.join(SRK_DIR, name), "wb") as f:
        f.write(data)


def make_srk_files():
    os.makedirs(SRK_DIR, exist_ok=True)
    for name in os.listdir(SRK_DIR):
        os.remove(os.path.join(SRK_DIR, name))
    srk("dwoje.srk", ["nagłówek pliku"]
        + block("02270803628", "O'Brien", [(CERT, [("Zachowanie_DATA_COMBOBOX", "bardzo > dobre"),
                                                   ("Pusta_DATA_EDIT", "")])])
        + block("03311204561", "Gęślą", [(NOTE, MEMOS)]))
    srk("crlf_ctrlz.srk", block("11111111111", "Żółć", [(CERT, [("Klasa_DATA_EDIT", "4a\r")])]),
        eol="\r\n", tail=b"\x1a<DANE SWIADECTW DLA: po Ctrl-Z>\n")
    srk("bez_peselu_i_ten_sam.srk",
        block(None, "Bezpeselowy", [])
        + block("22222222222", "Pierwszy", [(CERT, [("Ocena_DATA_EDIT", "5")])])
        + block("22222222222", "Drugi", []))
    blank = block("33333333333", "Przerwa", [(CERT, [("A_DATA_EDIT", "1")]), (NOTE, MEMOS[:2])])
    blank.insert(blank.index(f"<{NOTE}>"), "")
    srk("pusta_linia.srk", blank + block("44444444444", "Następny", []))
    srk("memo_w_danych_i_dlugie.srk",
        block("55555555555", "D" * 600,
              [(CERT, [("Dlugie_DATA_EDIT", "ż" * 2100), ("X" * 520 + "_DATA_MEMO", "m")])],
              extra_pupil_lines=["<Uwagi_DATA_MEMO>a", "<Uwagi_DATA_MEMO>b"]))


if __name__ == "__main__":
    make_class_files()
    make_srk_files()
