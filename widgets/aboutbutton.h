#pragma once

#include "widgets/taskbutton.h"

namespace Sorven {

// The round "…" button that opens the About box.
class AboutButton : public TaskButton
{
    Q_OBJECT
    Q_DISABLE_COPY(AboutButton)

public:
    explicit AboutButton(QWidget *parent = nullptr);
};

} // namespace Sorven
