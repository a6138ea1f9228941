#pragma once

#include <QString>

// The folder that holds the account folders, ending in a separator: $VEMO_HOME when set,
// otherwise the per-user data folder, since an installed program's own folder is read-only.
QString GetProgramFolder();
