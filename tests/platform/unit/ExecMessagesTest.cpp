// SPDX-License-Identifier: MIT
// exec lists, ports, messages and signals.
#include "platform/exec/Exec.h"
#include "platform/common/Internal.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

#include <thread>

using namespace amiga;

namespace {

class ExecMessages : public ::testing::Test {
protected:
    void SetUp() override { ResetPlatform(); }
    void TearDown() override { ResetPlatform(); }
};

TEST_F(ExecMessages, ListKeepsOrderAndEmpties)
{
    List list;
    NewList(&list);
    EXPECT_EQ(RemHead(&list), nullptr);

    char nameA[] = "a", nameB[] = "b", nameC[] = "c";
    Node a, b, c;
    a.ln_Name = nameA;
    b.ln_Name = nameB;
    c.ln_Name = nameC;
    AddTail(&list, &a);
    AddTail(&list, &b);
    AddTail(&list, &c);

    std::string order;
    for (Node* node = list.lh_Head; node->ln_Succ != nullptr; node = node->ln_Succ) {
        order += node->ln_Name;
    }
    EXPECT_EQ(order, "abc");

    Remove(&b);
    EXPECT_EQ(RemHead(&list), &a);
    EXPECT_EQ(RemHead(&list), &c);
    EXPECT_EQ(RemHead(&list), nullptr);
}

TEST_F(ExecMessages, SignalsComeFromTheUpperHalfAndRunOut)
{
    std::vector<BYTE> bits;
    for (;;) {
        const BYTE bit = AllocSignal(-1);
        if (bit < 0) {
            break;
        }
        EXPECT_GE(bit, 16);
        EXPECT_LE(bit, 31);
        bits.push_back(bit);
    }
    EXPECT_EQ(bits.size(), 16u);
    EXPECT_EQ(CreateMsgPort(), nullptr) << "a port needs a free signal bit";
    EXPECT_EQ(AllocSignal(3), -1) << "system bits are never handed out";

    FreeSignal(bits.back());
    EXPECT_EQ(AllocSignal(bits.back()), bits.back());
}

TEST_F(ExecMessages, MessageRoundTripSignalsBothPorts)
{
    MsgPort* server = CreateMsgPort();
    MsgPort* client = CreateMsgPort();
    ASSERT_NE(server, nullptr);
    ASSERT_NE(client, nullptr);
    EXPECT_NE(server->mp_SigBit, client->mp_SigBit);
    EXPECT_EQ(server->mp_SigTask, FindTask(nullptr));
    EXPECT_EQ(GetMsg(server), nullptr);

    Message message;
    message.mn_ReplyPort = client;
    message.mn_Length = sizeof message;
    PutMsg(server, &message);
    EXPECT_EQ(message.mn_Node.ln_Type, NT_MESSAGE);

    const ULONG serverMask = 1u << server->mp_SigBit;
    EXPECT_EQ(Wait(serverMask), serverMask);
    EXPECT_EQ(GetMsg(server), &message);
    EXPECT_EQ(GetMsg(server), nullptr);

    ReplyMsg(&message);
    EXPECT_EQ(message.mn_Node.ln_Type, NT_REPLYMSG);
    const ULONG clientMask = 1u << client->mp_SigBit;
    EXPECT_EQ(SetSignal(0, 0) & clientMask, clientMask);
    EXPECT_EQ(GetMsg(client), &message);

    DeleteMsgPort(server);
    DeleteMsgPort(client);
}

TEST_F(ExecMessages, ReplyWithoutReplyPortOnlyFreesTheMessage)
{
    Message message;
    ReplyMsg(&message);
    EXPECT_EQ(message.mn_Node.ln_Type, NT_FREEMSG);
    ReplyMsg(nullptr);
    PutMsg(nullptr, &message);
    EXPECT_EQ(GetMsg(nullptr), nullptr);
}

TEST_F(ExecMessages, WaitReturnsSetSignalsOfTheMaskAtOnceAndClearsThem)
{
    const BYTE a = AllocSignal(-1);
    const BYTE b = AllocSignal(-1);
    const BYTE c = AllocSignal(-1);
    const ULONG maskA = 1u << a, maskB = 1u << b, maskC = 1u << c;
    Signal(FindTask(nullptr), maskA | maskC);

    const uint64_t before = internal::NowMicros();
    EXPECT_EQ(Wait(maskA | maskB), maskA);
    EXPECT_LT(internal::NowMicros() - before, 100000u);

    EXPECT_EQ(SetSignal(0, 0) & (maskA | maskC), maskC) << "cleared only what Wait returned";
    EXPECT_EQ(SetSignal(0, maskC) & maskC, maskC) << "SetSignal answers the old state";
    EXPECT_EQ(SetSignal(0, 0) & maskC, 0u);
}

TEST_F(ExecMessages, SignalFromAnotherThreadWakesWait)
{
    const BYTE bit = AllocSignal(-1);
    const ULONG mask = 1u << bit;
    Task* task = FindTask(nullptr);
    std::thread other([task, mask] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Signal(task, mask);
    });
    const uint64_t before = internal::NowMicros();
    EXPECT_EQ(Wait(mask), mask);
    other.join();
    EXPECT_GE(internal::NowMicros() - before, 40000u);
}

TEST_F(ExecMessages, ReplyFromAnotherThreadReachesThePort)
{
    MsgPort* port = CreateMsgPort();
    ASSERT_NE(port, nullptr);
    Message message;
    message.mn_ReplyPort = port;
    std::thread other([&message] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ReplyMsg(&message);
    });
    const ULONG mask = 1u << port->mp_SigBit;
    EXPECT_EQ(Wait(mask), mask);
    other.join();
    EXPECT_EQ(GetMsg(port), &message);
    DeleteMsgPort(port);
}

// The owner may delete its port the moment it finds the message there, as Sound does with a
// finished request: the sending thread must be done with the port by then. ThreadSanitizer
// (the tsan preset) sees it when it is not; the window is too short for the other builds.
TEST_F(ExecMessages, APortFoundHoldingItsMessageMayBeDeletedAtOnce)
{
    for (int i = 0; i < 50; ++i) {
        MsgPort* port = CreateMsgPort();
        ASSERT_NE(port, nullptr);
        Message message;
        message.mn_ReplyPort = port;
        std::thread other([&message, port, i] { i % 2 == 0 ? ReplyMsg(&message) : PutMsg(port, &message); });
        while (GetMsg(port) == nullptr)
            std::this_thread::yield();
        DeleteMsgPort(port);
        other.join();
    }
}

TEST_F(ExecMessages, PortCreationFailsOnceWhenAsked)
{
    FailNextPortCreation();
    EXPECT_EQ(CreateMsgPort(), nullptr);
    MsgPort* port = CreateMsgPort();
    EXPECT_NE(port, nullptr);
    DeleteMsgPort(port);
}

TEST_F(ExecMessages, FindTaskKnowsOnlyTheProgram)
{
    Task* self = FindTask(nullptr);
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(FindTask(self->tc_Node.ln_Name), self);
    EXPECT_EQ(FindTask("no such task"), nullptr);
}

} // namespace
