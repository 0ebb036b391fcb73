#pragma once

#include "widgets/taskbutton.h"

namespace Sorven {

// The round "?" button that opens the help.
class HelpButton : public TaskButton
{
    Q_OBJECT
    Q_DISABLE_COPY(HelpButton)

public:
    explicit HelpButton(QWidget *parent = nullptr);
};

} // namespace Sorven
