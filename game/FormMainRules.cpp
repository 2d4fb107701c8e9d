// SPDX-License-Identifier: MIT
// The game's main window: the rules of the game.
#include "game/FormMain.h"

#include "services/Enviroment.h"
#include "services/StringUtils.h"

#include <algorithm>

std::string FormMain::GeneraSequenza()
{
    std::string code;
    for (int position = 0; position < 4; ++position)
        code += StringUtils::IntToStr(Enviroment::Random(0, 7));
    return code;
}

void FormMain::ValutaProposta(std::string proposta, std::string sequenza, int* exact, int* colourOnly)
{
    // Removing, for each leftover proposal peg in order, the first equal leftover code peg
    // counts the same as taking the smaller leftover count per colour: a count per byte value
    // of the code's leftovers does it. A proposal shorter than the code has no peg at the
    // missing positions; pegs beyond the code's length are not looked at.
    const unsigned char* proposal = reinterpret_cast<const unsigned char*>(proposta.data());
    const unsigned char* code = reinterpret_cast<const unsigned char*>(sequenza.data());
    const size_t length = sequenza.size();
    const size_t compared = std::min(proposta.size(), length);
    int exactCount = 0;
    int leftInCode[256] = {};
    for (size_t position = 0; position < length; ++position) {
        if (position < compared && proposal[position] == code[position])
            ++exactCount;
        else
            ++leftInCode[code[position]];
    }
    int colourCount = 0;
    for (size_t position = 0; position < compared; ++position) {
        if (proposal[position] == code[position])
            continue;
        int& left = leftInCode[proposal[position]];
        if (left > 0) {
            --left;
            ++colourCount;
        }
    }
    if (exact != nullptr)
        *exact = exactCount;
    if (colourOnly != nullptr)
        *colourOnly = colourCount;
}

std::string FormMain::AggiungiProposta(std::string proposte, std::string proposta, int exact, int colourOnly)
{
    if (!proposte.empty())
        proposte += ';';
    return proposte + proposta + StringUtils::IntToStr(exact) + StringUtils::IntToStr(colourOnly);
}
