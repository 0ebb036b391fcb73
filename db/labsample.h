#pragma once

#include <QtGlobal>

namespace Sorven::DB {

// A chip reduced to what colour matching needs.
struct LabSample
{
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
    qint64 rowId = -1;
};

} // namespace Sorven::DB
