#pragma once

#include <QValidator>

namespace Sorven {

// Accepts any text, turned into upper case as it is typed: codes and names are stored that way.
class ToUpperCaseValidator : public QValidator
{
    Q_OBJECT
    Q_DISABLE_COPY(ToUpperCaseValidator)

public:
    explicit ToUpperCaseValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};

} // namespace Sorven
