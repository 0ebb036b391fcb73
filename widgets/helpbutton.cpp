#include "widgets/helpbutton.h"

namespace Sorven {

HelpButton::HelpButton(QWidget *parent) : TaskButton(Shape::Ellipse, parent)
{
    setText(QStringLiteral("?"));
}

} // namespace Sorven
