-- Program-wide switches and configured texts. Each key uses one of the two value columns.

create table `settings`( `name` TEXT, `text_value` TEXT, `int_value` INTEGER );

-- 1: show the data-format notice at the first start.
insert into `settings`( `name`, `int_value` ) values ('import_alert', 1);
-- The three print switches of the main window's tool bar.
insert into `settings`( `name`, `int_value` ) values ('strike_empty_fields', 1);
insert into `settings`( `name`, `int_value` ) values ('print_without_dots', 0);
insert into `settings`( `name`, `int_value` ) values ('word_wrap', 0);
-- 1: the school-data template has not been filled in yet.
insert into `settings`( `name`, `int_value` ) values ('create_school_data_template', 1);

-- The update server: the version file and the installer are fetched from
-- <scheme>://<host><path>; a SHA-256 sum published at <installer path>.sha256 is checked.
insert into `settings`( `name`, `text_value` ) values ('update_server_scheme', 'https');
insert into `settings`( `name`, `text_value` ) values ('update_server_host', 'aktualizacje.orvento.example');
insert into `settings`( `name`, `text_value` ) values ('update_version_path', '/orvento/semrik/program/2014/semrik_wersja.bin');
insert into `settings`( `name`, `text_value` ) values ('update_installer_path', '/orvento/semrik/program/2014/semriksetup.exe');
-- The downloaded installer's name in the data folder's "aktualizacja" folder.
insert into `settings`( `name`, `text_value` ) values ('update_local_file', 'nowy.exe');
insert into `settings`( `name`, `text_value` ) values ('contact_page_url', 'https://www.orvento.example/kontakt');
insert into `settings`( `name`, `text_value` ) values ('support_email', 'pomoc@orvento.example');
-- Shown in the information window. char(10) instead of raw line breaks keeps the value the
-- same whatever line endings a checkout uses.
insert into `settings`( `name`, `text_value` ) values ('about_contact_text',
    'Orvento-Kelm' || char(10) ||
    'ul. Szkolna 1, 00-001 Warszawa' || char(10) ||
    'tel. 22 000 00 00' || char(10) ||
    'www.orvento.example' || char(10) ||
    'pomoc@orvento.example');
