#include "widgets/touppercasevalidator.h"

namespace Sorven {

ToUpperCaseValidator::ToUpperCaseValidator(QObject *parent) : QValidator(parent) { }

QValidator::State ToUpperCaseValidator::validate(QString &input, int &) const
{
    input = input.toUpper();
    return Acceptable;
}

} // namespace Sorven
