// SPDX-License-Identifier: MIT
// What the game's in-process tests share: the program's screen with the game palette in a
// fresh working directory, the main window, input injected where the host delivers it and
// dispatched as the event loop does, and the saved game as files.
#pragma once

#include "game/FormMain.h"
#include "platform/gadtools/GadTools.h"
#include "platform/graphics/Graphics.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/testing/Testing.h"
#include "services/Enviroment.h"
#include "toolkit/controls/ButtonCustom.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/KesaScreen.h"
#include "toolkit/data/BuiltinImages.h"
#include "toolkit/data/Palette.h"

#include "tests/support/ToolkitFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

// Places on the board, in window (and screen) coordinates: the centre of each.
struct Place {
    int x;
    int y;
};
inline Place Selector(int k)
{
    return {80 + 51 * k + 24, 241 + 24};
} // k = 0..3
inline Place Secret(int k)
{
    return {80 + 51 * k + 24, 190 + 24};
}
inline Place Cell(int row, int column)
{
    return {375 + 48 * column + 24, 40 + 48 * row + 24};
}
inline Place Result(int row)
{
    return {683 + 35, 40 + 48 * row + 7};
}
inline constexpr Place GoButton{80 + 48, 316 + 12};
inline constexpr Place CancelButton{187 + 48, 316 + 12};
inline constexpr Place InfoButton{464 + 50, 40 + 12};
inline constexpr Place ExitButton{574 + 50, 40 + 12};
inline constexpr Place AttemptsLabel{80 + 100, 356 + 12};

// The window's element of that type covering the point, whatever its state.
template <typename T> T* ElementAt(FormMain& form, Place p)
{
    for (GUIElement* element : Application::GetChildren(form.GetID())) {
        const tagPOINT at = element->GetPosition();
        const tagPOINT size = element->GetSize();
        T* typed = dynamic_cast<T*>(element);
        if (typed != nullptr && p.x >= at.x && p.y >= at.y && p.x < at.x + size.x && p.y < at.y + size.y)
            return typed;
    }
    return nullptr;
}

class GameFixture : public ToolkitFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToolkitFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(OpenGameScreen());
    }

    void TearDown() override
    {
        form.reset();
        ToolkitFixture::TearDown();
    }

    // Opens the main window, which reads (or starts) the saved game.
    void Start()
    {
        form = std::make_unique<FormMain>(screen.get(), "Kesa Pegline");
        ASSERT_TRUE(form->IsLoad());
    }

    // One turn of the event loop for every message waiting, without sleeping: secondary
    // windows first, then the main window, then a pending quit request. True once the main
    // window agreed to close.
    bool Dispatch()
    {
        amiga::InputEvent ie{};
        unsigned char length = 2;
        char* buffer = static_cast<char*>(amiga::AllocMem(length, amiga::MEMF_CLEAR));
        int done = 0;
        for (int guard = 0; guard < 1000 && done == 0; ++guard) {
            Application::ElaboraMessaggiWinSec(form.get(), &ie, buffer, length);
            amiga::IntuiMessage* msg = amiga::GT_GetIMsg(form->GetHandle()->UserPort);
            if (msg == nullptr)
                break;
            Application::ElaboraEventi(form.get(), msg, done, &ie, buffer, length);
            if (Application::postQuit != 0) {
                Application::postQuit = 0;
                if (form->OnClosing())
                    done = 1;
            }
        }
        amiga::FreeMem(buffer, length);
        return done != 0;
    }

    bool Click(Place p)
    {
        amiga::InjectClick(p.x, p.y);
        return Dispatch();
    }

    template <typename T> T* At(Place p) { return ElementAt<T>(*form, p); }
    int FrameAt(Place p)
    {
        ImageFrame* frame = At<ImageFrame>(p);
        return frame != nullptr ? frame->GetFrame() : -1;
    }
    std::string TextAt(Place p)
    {
        GUIElement* element = At<GUIElement>(p);
        return element != nullptr ? element->GetText() : "(nothing)";
    }

    static std::filesystem::path SettingsFile(const std::string& key)
    {
        return std::filesystem::path("Settings") / "KesaPegline.exe" / "dati" / key;
    }
    // The file's bytes; "(missing)" when there is none.
    static std::string Saved(const std::string& key)
    {
        std::ifstream in(SettingsFile(key), std::ios::binary);
        if (!in)
            return "(missing)";
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static void Save(const std::string& key, const std::string& bytes)
    {
        std::filesystem::create_directories(SettingsFile(key).parent_path());
        std::ofstream(SettingsFile(key), std::ios::binary) << bytes;
    }
    // The seven files of a game, each holding its value and a line feed.
    static void SaveGame(const std::string& state, const std::string& history, const std::string& code,
                         const std::string& colours = "0000")
    {
        Save("stato", state + "\n");
        Save("Pegline_Bag", history + "\n");
        Save("Pegline_Code", code + "\n");
        for (int k = 0; k < 4; ++k)
            Save("col" + std::to_string(k + 1), std::string(1, colours[static_cast<size_t>(k)]) + "\n");
    }

    std::unique_ptr<FormMain> form;
};
