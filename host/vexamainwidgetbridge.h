#pragma once

#include "host/qwinwidget.h"

#include <QUuid>

class VexaPaletteSet;

namespace Sorven {
class MainWidget;
}

// The Qt side of the palette window: it holds the palette surface and adds what only the host
// offers, the About box and the colour book export.
class VexaMainWidgetBridge : public QWinWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(VexaMainWidgetBridge)

public:
    VexaMainWidgetBridge(VexaPaletteSet *paletteSet, Qt::WindowFlags flags);
    ~VexaMainWidgetBridge() override;

    // The bridge of the process, or null.
    static VexaMainWidgetBridge *instance();
    Sorven::MainWidget *mainWidget() const { return m_mainWidget; }
    quint16 colorBookButtonId() const { return m_colorBookButtonId; }

    // Before the palette goes: rejects the palette's open dialogs and stops listening to the
    // application. Answers whether a dialog was open, whose event loop may still be running.
    bool closeDialogsAndDetach();

public slots:
    void selectedCollectionChanged(QUuid collectionUuid);
    void myPaletteChanged();
    void createColorBookClicked();
    void aboutClicked();
    void anEditBoxGotFocus();
    void anEditBoxLostFocus();

private:
    VexaPaletteSet *m_paletteSet;
    Sorven::MainWidget *m_mainWidget = nullptr;
    quint16 m_colorBookButtonId = 0;
};
