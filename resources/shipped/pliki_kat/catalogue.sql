-- What the program installs into each user's data folder at start.
-- `dir`: folders created there (one level). `files`: files copied there from the program's
-- folder; `update` = 1 replaces the user's copy once, so keep it 0 unless a release must
-- overwrite users' settings or calibration.

create table `dir`( `name` TEXT );
insert into `dir`( `name` ) values ('grafika');
insert into `dir`( `name` ) values ('backup');
insert into `dir`( `name` ) values ('aktualizacja');

create table `files`( `name` TEXT, `update` INTEGER );
insert into `files`( `name`, `update` ) values ('ustawienia.sqset', 0);
insert into `files`( `name`, `update` ) values ('semrik_kalibracja.sqset', 0);
insert into `files`( `name`, `update` ) values ('grafika/sw_str1_prw.bmp', 0);
insert into `files`( `name`, `update` ) values ('grafika/sw_str1_prw_wyr.bmp', 0);
insert into `files`( `name`, `update` ) values ('grafika/sw_str2_prw.bmp', 0);
insert into `files`( `name`, `update` ) values ('grafika/wywiadowka_prw.bmp', 0);
insert into `files`( `name`, `update` ) values ('grafika/arkusz_prw.bmp', 0);
insert into `files`( `name`, `update` ) values ('grafika/orzel.emf', 0);
insert into `files`( `name`, `update` ) values ('grafika/m_p.bmp', 0);
insert into `files`( `name`, `update` ) values ('grafika/szablon_swiadectwo.bmp', 0);
insert into `files`( `name`, `update` ) values ('grafika/szablon_arkusz.bmp', 0);
