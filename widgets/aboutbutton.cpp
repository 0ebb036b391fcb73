#include "widgets/aboutbutton.h"

namespace Sorven {

AboutButton::AboutButton(QWidget *parent) : TaskButton(Shape::Ellipse, parent)
{
    setText(QStringLiteral("\u2026"));
}

} // namespace Sorven
