#pragma once

#include <acdocman.h>
#include <afxwin.h>

#include <QObject>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPlainTextEdit;

// The CAD program's main frame: the drawing area, the command line and the status bar. Keys
// typed on a palette's own surface go to the command line whenever the palette lets the frame
// take the focus; keys for a dialog or a text field stay there.
class AcadFrame : public QObject, public CMDIFrameWnd, public AcApDocManagerReactor
{
public:
    static AcadFrame *instance();

    QMainWindow *mainWindow() const;
    QLineEdit *commandLine() const { return m_commandLine; }
    QPlainTextEdit *commandHistory() const { return m_history; }
    QHBoxLayout *paneLayout() const { return m_panes; }
    void documentCreated(AcApDocument *document) override;
    void documentToBeDestroyed(AcApDocument *document) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AcadFrame();
    void refreshDocuments();

    QLabel *m_drawings = nullptr;
    QPlainTextEdit *m_history = nullptr;
    QLineEdit *m_commandLine = nullptr;
    QHBoxLayout *m_panes = nullptr;
};
