#pragma once

#include "widgets/lazypane.h"

namespace Sorven {

class TexturesViewport;

// The pane of the textures assigned to the current page, tinted with the selected chip.
class TexturesWidget : public LazyPane
{
    Q_OBJECT
    Q_DISABLE_COPY(TexturesWidget)

public:
    explicit TexturesWidget(QWidget *parent = nullptr);

    TexturesViewport *texturesViewport() const;
    void layoutContents() override;

public slots:
    void selectedPageChanged();
    void selectedRowChanged();

protected:
    void loadContents() override;
};

} // namespace Sorven
