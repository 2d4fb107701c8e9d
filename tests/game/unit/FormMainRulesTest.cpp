// SPDX-License-Identifier: MIT
// The rules of the game: drawing the hidden code, scoring proposals, recording them.
#include "game/FormMain.h"

#include "services/Enviroment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Score {
    int exact = -1;
    int colourOnly = -1;
    bool operator==(const Score&) const = default;
};

Score Evaluate(const std::string& proposal, const std::string& secret)
{
    Score score;
    FormMain::ValutaProposta(proposal, secret, &score.exact, &score.colourOnly);
    return score;
}

// Four pegs of a code numbered 0..4095, position 1 in the highest three bits.
struct Pegs {
    int peg[4];
};

Pegs PegsOf(int code)
{
    return {{(code >> 9) & 7, (code >> 6) & 7, (code >> 3) & 7, code & 7}};
}

// The rule in its counting form, written apart from the game's own: exact is the same colour
// in the same place; colour-only, summed over the colours, the smaller leftover count.
// Plain arrays only: it runs for all 16.7 million pairs, in sanitizer builds too.
Score ReferenceScore(const Pegs& proposal, const Pegs& secret)
{
    Score score{0, 0};
    int leftInProposal[8] = {};
    int leftInSecret[8] = {};
    for (int i = 0; i < 4; ++i) {
        if (proposal.peg[i] == secret.peg[i]) {
            ++score.exact;
        } else {
            ++leftInProposal[proposal.peg[i]];
            ++leftInSecret[secret.peg[i]];
        }
    }
    for (int colour = 0; colour < 8; ++colour)
        score.colourOnly +=
            leftInProposal[colour] < leftInSecret[colour] ? leftInProposal[colour] : leftInSecret[colour];
    return score;
}

std::string CodeText(const Pegs& pegs)
{
    std::string text;
    for (int peg : pegs.peg)
        text += static_cast<char>('0' + peg);
    return text;
}

} // namespace

TEST(FormMainRulesTest, ScoringAgreesWithTheCountingRuleForEveryPair)
{
    std::vector<Pegs> pegList(4096);
    std::vector<std::string> textList(4096);
    for (int code = 0; code < 4096; ++code) {
        pegList[code] = PegsOf(code);
        textList[code] = CodeText(pegList[code]);
    }
    const Pegs* const pegs = pegList.data();
    const std::string* const texts = textList.data();
    long mismatches = 0;
    std::string first;
    for (int secret = 0; secret < 4096; ++secret) {
        for (int proposal = 0; proposal < 4096; ++proposal) {
            const Score expected = ReferenceScore(pegs[proposal], pegs[secret]);
            int exact = -1;
            int colourOnly = -1;
            FormMain::ValutaProposta(texts[proposal], texts[secret], &exact, &colourOnly);
            if ((exact != expected.exact || colourOnly != expected.colourOnly) && mismatches++ == 0)
                first = texts[proposal] + " against " + texts[secret];
        }
    }
    EXPECT_EQ(mismatches, 0) << "first: " << first;
}

TEST(FormMainRulesTest, ScoringEdgeCases)
{
    EXPECT_EQ(Evaluate("1111", "1123"), (Score{2, 0}));
    EXPECT_EQ(Evaluate("3211", "1123"), (Score{0, 4}));
    EXPECT_EQ(Evaluate("2221", "1122"), (Score{1, 2}));
    EXPECT_EQ(Evaluate("0000", "0000"), (Score{4, 0}));
    EXPECT_EQ(Evaluate("0123", "7777"), (Score{0, 0}));
    EXPECT_EQ(Evaluate("4321", "1234"), (Score{0, 4}));
    EXPECT_EQ(Evaluate("0123", "0215"), (Score{1, 2}));
    EXPECT_EQ(Evaluate("3210", "0215"), (Score{2, 1}));
    // The proposal comes first: swapping the two changes nothing for a symmetric rule, but a
    // one-sided mistake would show here.
    EXPECT_EQ(Evaluate("1123", "1111"), (Score{2, 0}));
}

TEST(FormMainRulesTest, MalformedCodesAreScoredWithoutHarm)
{
    int exact = -1;
    FormMain::ValutaProposta("0123", "0123", &exact, nullptr);
    EXPECT_EQ(exact, 4);
    int colourOnly = -1;
    FormMain::ValutaProposta("3210", "0123", nullptr, &colourOnly);
    EXPECT_EQ(colourOnly, 4);
    EXPECT_EQ(Evaluate("", "0123"), (Score{0, 0}));
    EXPECT_EQ(Evaluate("01", "0123"), (Score{2, 0}));
    EXPECT_EQ(Evaluate("012345", "0123"), (Score{4, 0}));
    EXPECT_EQ(Evaluate("0123", ""), (Score{0, 0}));
    EXPECT_EQ(Evaluate(std::string("\xff\x00\x80z", 4), std::string("z\xff\x00\x81", 4)), (Score{0, 3}));
}

TEST(FormMainRulesTest, RecordsJoinTheHistoryWithSemicolons)
{
    std::string history;
    history = FormMain::AggiungiProposta(history, "0123", 1, 2);
    EXPECT_EQ(history, "012312");
    history = FormMain::AggiungiProposta(history, "3210", 2, 1);
    EXPECT_EQ(history, "012312;321021");
    history = FormMain::AggiungiProposta(history, "0215", 4, 0);
    EXPECT_EQ(history, "012312;321021;021540");
}

TEST(FormMainRulesTest, HiddenCodesAreFourColourDigitsAndCoverEveryColourEverywhere)
{
    Enviroment::RandomizeFlag = 0;
    bool seen[4][8] = {};
    for (int draw = 0; draw < 2000; ++draw) {
        const std::string code = FormMain::GeneraSequenza();
        ASSERT_EQ(code.size(), 4u) << code;
        for (int position = 0; position < 4; ++position) {
            ASSERT_GE(code[position], '0') << code;
            ASSERT_LE(code[position], '7') << code;
            seen[position][code[position] - '0'] = true;
        }
    }
    for (int position = 0; position < 4; ++position)
        for (int colour = 0; colour < 8; ++colour)
            EXPECT_TRUE(seen[position][colour]) << "colour " << colour << " at " << position;
}

TEST(FormMainRulesTest, ANewCodeAfterClearingTheFlagRepeatsTheLastOnlyByChance)
{
    // As two new games in one second: each code drawn after the dispatcher cleared the flag.
    int repeats = 0;
    Enviroment::RandomizeFlag = 0;
    std::string last = FormMain::GeneraSequenza();
    for (int game = 0; game < 20; ++game) {
        Enviroment::RandomizeFlag = 0;
        const std::string code = FormMain::GeneraSequenza();
        repeats += code == last ? 1 : 0;
        last = code;
    }
    EXPECT_LE(repeats, 1); // one in 4096 each
}
