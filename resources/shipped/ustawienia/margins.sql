-- Margin presets of the print dialog: for each page the rectangle on the sheet, in millimetres,
-- that the page picture fills. The dialog selects the first row when it opens.

create table `margin`( `name` TEXT,
    `Page1X1` INTEGER, `Page1Y1` INTEGER, `Page1X2` INTEGER, `Page1Y2` INTEGER,
    `Page2X1` INTEGER, `Page2Y1` INTEGER, `Page2X2` INTEGER, `Page2Y2` INTEGER );

-- The page picture is 885 x 1314 units; 5..205 mm by 0..297 mm keeps its proportions (one unit
-- is 0.226 mm on paper both ways), so the standard preset prints without distortion.
insert into `margin` values ('A4 (standardowe)', 5, 0, 205, 297, 5, 0, 205, 297);
insert into `margin` values ('A4, marginesy 5 mm', 5, 5, 205, 292, 5, 5, 205, 292);
insert into `margin` values ('A4 (cała kartka)', 0, 0, 210, 297, 0, 0, 210, 297);
