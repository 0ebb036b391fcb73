// The module's answers to the host's application messages: initialisation creates the palette
// when the colour collections can be read, and every way of stopping runs one tear-down.
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/databaselayer.h"
#include "host/vexaautocadhost.h"
#include "host/vexamodule.h"
#include "host/vexapaletteset.h"

#include <rxregsvc.h>

#include <QtGlobal>

namespace {

VexaAutoCADHost *s_host = nullptr;

const int ApiVersion = 0x130000;

AcRx::AppRetCode initialise(VexaAutoCADHost *host, void *appId)
{
    if (auto *linker = AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))) {
        linker->unlockApplication(appId);
        linker->registerAppMDIAware(appId);
    }
    if (Sorven::DB::initializeDatabaseLayer(VexaModule::fileName(),
                                            Sorven::DB::collectionDataPath())
        < 0)
        return AcRx::kRetError;
    host->paletteSet = new VexaPaletteSet;
    host->paletteSet->createPaletteWindow();
    return AcRx::kRetOK;
}

AcRx::AppRetCode tearDown()
{
    if (!s_host)
        return AcRx::kRetOK;
    // The palette set takes its pane, reactor, frame procedure and widget tree with it.
    delete s_host->paletteSet;
    delete s_host;
    s_host = nullptr;
    // The host may unload the module next: the navigation still waiting for the disk is
    // written, and reads left to worker threads finish while their code is there.
    Sorven::UserSettings::sync();
    Sorven::DB::closeCollections();
    return AcRx::kRetOK;
}

} // namespace

extern "C" Q_DECL_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void *appId)
{
    switch (message) {
    case AcRx::kInitAppMsg:
        // A second initialisation would orphan the first palette.
        if (s_host && s_host->paletteSet)
            return AcRx::kRetOK;
        if (!s_host)
            s_host = new VexaAutoCADHost;
        return initialise(s_host, appId);
    case AcRx::kUnloadAppMsg:
    case AcRx::kEndMsg:
    case AcRx::kQuitMsg:
    case AcRx::kPreQuitMsg:
        return tearDown();
    default:
        return AcRx::kRetOK;
    }
}

extern "C" Q_DECL_EXPORT int acrxGetApiVersion()
{
    return ApiVersion;
}
