// SPDX-License-Identifier: MIT
// The maker's texts, in one place: the title, the about window, the win message and the menu
// use them. The project has no home page yet, so the site lives under the reserved
// ".example" domain; it begins with "http://www." because the about window's mail address
// is the site address without its first 11 characters.
#pragma once

struct Maker {
    static constexpr const char* WebAddress = "http://www.kesa.example";
    static constexpr const char* LegalNotice = "(c) 2026 the Kesa Pegline developers";
    static constexpr const char* LicenceNote =
        "Free software under the MIT licence: use, copy, change and share it freely.";
    static constexpr const char* ProgramName = "KesaPegline";
    static constexpr const char* Version = "1.0.0.0";
};
