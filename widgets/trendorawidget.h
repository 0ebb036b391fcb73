#pragma once

#include "widgets/lazypane.h"

namespace Sorven {

class TrendoraViewport;

// The pane of the collection's colour-trend groups.
class TrendoraWidget : public LazyPane
{
    Q_OBJECT
    Q_DISABLE_COPY(TrendoraWidget)

public:
    explicit TrendoraWidget(QWidget *parent = nullptr);

    TrendoraViewport *trendoraViewport() const;
    void layoutContents() override;

protected:
    void loadContents() override;
};

} // namespace Sorven
