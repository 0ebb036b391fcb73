#pragma once

#include <QStringList>

// The host's autoloader: the ApplicationPlugins folders it searches for <Name>.bundle folders,
// the user's own first, then the machine's, then the one beside this installation.
class ApplicationPlugins
{
public:
    static QStringList folders();
    // The modules the bundles ask to load at start-up, in folder and bundle-name order. Bundles
    // it has to pass over are named on standard error with the reason.
    static QStringList startupModules();
};
