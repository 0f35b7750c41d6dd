#pragma once

#include "error_stream.h"

// A program update can bring calibration rows for documents the user's working copy has none
// for (it was installed once and is never replaced, so the user's adjustments stay). Every
// table of the shipped copy that the working copy lacks or holds without a single row gets the
// shipped rows; tables with rows are left exactly as they are. True when nothing was needed or
// everything was supplied; a failure changes nothing (one transaction) and is logged.
bool bFunSupplyEmptyCalibrationTables(ErrorStream& err);
