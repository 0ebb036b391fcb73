#pragma once

#include <rxregsvc.h>
#include <windows.h>

#include <QString>
#include <QUuid>

class QWidget;

// The palette module mapped into the test process through the host's loader, spoken to only
// through its exported entry points.
class LoadedModule
{
public:
    LoadedModule();
    ~LoadedModule();
    LoadedModule(const LoadedModule &) = delete;
    LoadedModule &operator=(const LoadedModule &) = delete;

    bool isMapped() const { return m_module != nullptr; }
    int send(AcRx::AppMsgCode message);
    int apiVersion() const;

private:
    HMODULE m_module = nullptr;
    int m_packet = 0;
};

// Writes the demo collections below the test's machine data folder, once per process.
void installDemoCollections();
QUuid demoCollection(int index);

// What the loaded palette shows, found through Qt's widget tree.
QWidget *paletteSurface();
QWidget *paletteFrame();
QWidget *taskButtonWithText(const QString &text);
QWidget *paletteChild(const char *className);
