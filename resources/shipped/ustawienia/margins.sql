-- Margin presets of the print dialog: for each page the rectangle on the sheet, in millimetres,
-- that the page picture fills. The dialog selects the first row when it opens.

create table `margin`( `name` TEXT,
    `Page1X1` INTEGER, `Page1Y1` INTEGER, `Page1X2` INTEGER, `Page1Y2` INTEGER,
    `Page2X1` INTEGER, `Page2Y1` INTEGER, `Page2X2` INTEGER, `Page2Y2` INTEGER );

insert into `margin` values ('A4 (210 x 297 mm)', 0, 0, 210, 297, 0, 0, 210, 297);
insert into `margin` values ('A4, marginesy 5 mm', 5, 5, 205, 292, 5, 5, 205, 292);
