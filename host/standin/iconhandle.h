#pragma once

#include <QIcon>

// An icon handle is a Qt icon that lives until the process ends, like a shared Windows icon.
struct HICON__
{
    QIcon icon;
};
