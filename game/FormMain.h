// SPDX-License-Identifier: MIT
// The game's main window. The rules of the game live here as static members: they use
// nothing of the window.
//
// Codes: four colour digits "0".."7", position 1 first ("3007"). Record of a scored
// proposal: the proposal, then exact, then colour-only ("012312"). Play history: the
// records in playing order joined by ";" ("012312;321021"), empty before the first.
#pragma once

#include <string>

class FormMain {
public:
    // A new hidden code: four independent draws of Enviroment::Random(0, 7).
    static std::string GeneraSequenza();
    // Scores the proposal against the hidden code: exact counts the positions of equal
    // colour; colourOnly, summed over the colours, the smaller of the leftover counts of the
    // proposal and of the code. Null pointers receive nothing.
    static void ValutaProposta(std::string proposta, std::string sequenza, int* exact,
                               int* colourOnly);
    // The history with the proposal's record appended, after ";" unless it was empty.
    static std::string AggiungiProposta(std::string proposte, std::string proposta, int exact,
                                        int colourOnly);
};
