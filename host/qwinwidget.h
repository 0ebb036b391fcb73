#pragma once

#include <windows.h>

#include <QWidget>

class CWnd;

// A Qt widget that lives inside a native window as its child: it takes the native window's
// client area, gets the keyboard when the native window gets the focus, and hands the focus
// back when the user tabs out of it.
class Q_DECL_EXPORT QWinWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(QWinWidget)

public:
    explicit QWinWidget(HWND parentWindow = nullptr, QObject *parent = nullptr,
                        Qt::WindowFlags flags = {});
    explicit QWinWidget(CWnd *parentWindow, QObject *parent = nullptr, Qt::WindowFlags flags = {});
    ~QWinWidget() override;

    void show();
    void center();
    void showCentered();
    HWND parentWindow() const { return m_parentWindow; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void embed();
    void saveFocus();
    QList<QWidget *> tabChain() const;

    HWND m_parentWindow = nullptr;
    HWND m_previousFocus = nullptr;
    WNDPROC m_previousProcedure = nullptr;
};
