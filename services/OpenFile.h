// SPDX-License-Identifier: MIT
// Base of the file classes: the error and not-found flags their operations report through.
#pragma once

class OpenFile {
public:
    // 1 when the last operation failed.
    short Errore() const;
    // 1 when the file could not be opened.
    short NoFound() const;

protected:
    short errorFlag = 0;
    short notFoundFlag = 0;
};
