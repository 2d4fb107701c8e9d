// SPDX-License-Identifier: MIT
// Fuzz target: any bytes in the seven files of the saved game, then the game window opened on
// them as the program opens it. Whatever the files hold, the window shows a game the rules
// could have produced. The input holds the files' contents separated by "|", in the order
// stato, Pegline_Bag, Pegline_Code, col1..col4; files past the last piece are missing.
#include "fuzz/FuzzSupport.h"
#include "game/FormMain.h"
#include "platform/gadtools/GadTools.h"
#include "platform/graphics/Graphics.h"
#include "services/StringUtils.h"
#include "toolkit/core/KesaScreen.h"
#include "toolkit/data/Palette.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const Keys[] = {"stato", "Pegline_Bag", "Pegline_Code", "col1", "col2", "col3", "col4"};

bool IsCode(const std::string& text)
{
    return text.size() == 4 && text.find_first_not_of("01234567") == std::string::npos;
}

// The game screen, opened once for the whole run on SDL's dummy drivers and kept to the end.
KesaScreen* gameScreen = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzEnterWorkingDirectory(argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    gameScreen = new KesaScreen("Kesa Pegline");
    FUZZ_REQUIRE(gameScreen->GetHandle() != nullptr);
    amiga::LoadRGB32(&gameScreen->GetHandle()->ViewPort, palettedata);
    // Closed as the program closes it, before the platform's state goes and before the leak
    // check at exit, which would otherwise count what the open screen holds.
    std::atexit([] {
        if (GUIElement::GlobalVisualInfo != nullptr) {
            amiga::FreeVisualInfo(GUIElement::GlobalVisualInfo);
            GUIElement::GlobalVisualInfo = nullptr;
        }
        delete gameScreen;
        gameScreen = nullptr;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::error_code ignored;
    std::filesystem::remove_all("Settings", ignored);
    std::filesystem::remove("log.txt", ignored);
    const std::filesystem::path folder = std::filesystem::path("Settings") / "KesaPegline.exe" / "dati";
    std::filesystem::create_directories(folder);

    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t from = 0;
    for (const char* key : Keys) {
        if (from > input.size())
            break;
        const size_t end = std::min(input.find('|', from), input.size());
        std::ofstream(folder / key, std::ios::binary) << input.substr(from, end - from);
        from = end + 1;
    }

    auto* form = new FormMain(gameScreen, "Kesa Pegline");
    FUZZ_REQUIRE(form->IsLoad());
    const int state = form->GetStato();
    const std::string& code = form->GetSequenza();
    FUZZ_REQUIRE(state >= 0 && state <= 2);
    FUZZ_REQUIRE(IsCode(code));
    const std::vector<std::string> records =
        form->GetProposte().empty() ? std::vector<std::string>() : StringUtils::Split(form->GetProposte(), ";");
    std::string joined;
    for (const std::string& record : records)
        joined += (joined.empty() ? "" : ";") + record;
    FUZZ_REQUIRE(joined == form->GetProposte()); // nothing but records: play can go on from it
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string& record = records[i];
        FUZZ_REQUIRE(record.size() == 6 && IsCode(record.substr(0, 4)));
        int exact = -1;
        int colourOnly = -1;
        FormMain::ValutaProposta(record.substr(0, 4), code, &exact, &colourOnly);
        FUZZ_REQUIRE(record[4] - '0' == exact && record[5] - '0' == colourOnly);
        FUZZ_REQUIRE(exact != 4 || i + 1 == records.size());
    }
    const bool solved = !records.empty() && records.back()[4] == '4';
    FUZZ_REQUIRE(solved == (state == 2));
    for (int k = 0; k < 4; ++k)
        FUZZ_REQUIRE(form->GetColore(k) >= 0 && form->GetColore(k) <= 7);
    delete form;
    return 0;
}
