// SPDX-License-Identifier: MIT
// Base of the file classes.
#include "services/OpenFile.h"

short OpenFile::Errore() const
{
    return errorFlag;
}

short OpenFile::NoFound() const
{
    return notFoundFlag;
}
