#include "shell/password_hooks.h"

int passwordCheckActive;

// Not built yet: the 95/98/Me password check comes with the password hooks. Until then
// every close is allowed, as it is on every other platform family.
int VerifySaverPassword()
{
    return 1;
}
