// Readable names of the saver modes, for test messages.
#ifndef HORLOMA_TEST_SAVER_MODE_NAMES_H
#define HORLOMA_TEST_SAVER_MODE_NAMES_H

#include "shell/saver_arguments.h"

inline const char* ModeName(SaverMode mode)
{
    switch (mode) {
    case SaverMode::FullScreen: return "FullScreen";
    case SaverMode::Preview: return "Preview";
    case SaverMode::Configure: return "Configure";
    case SaverMode::ChangePassword: return "ChangePassword";
    }
    return "?";
}

#endif
