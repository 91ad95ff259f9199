// The per-session handle tables of both mail libraries, through their
// ordinals: a session that was never initialised or was released, and a
// handle the session does not hold, are refused with the library's own code
// and a text naming what was wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "mail_library_binding.h"

namespace {

struct Refusal {
    bool refused;
    long code;
    std::string text;
};

// Each library's calls that look a handle up, made the same way.
class Library {
public:
    virtual ~Library() = default;
    virtual bool Initialize() = 0;
    virtual void Release() = 0;
    // A call on the handle (a header set or a greeting).
    virtual Refusal UseHandle(LONG handle) = 0;
    // A call that only needs the session (creating a message, connecting).
    virtual Refusal UseSession() = 0;
    virtual long NotInitializedCode() const = 0;
    virtual long InvalidHandleCode() const = 0;
    virtual const char* LibraryWord() const = 0;
    virtual const char* ObjectWord() const = 0;
};

class Messages : public Library {
public:
    bool Initialize() override { return lib.Initialize(&session) != FALSE; }
    void Release() override { lib.Release(&session); }
    Refusal UseHandle(LONG handle) override
    {
        const bool refused = !lib.SetHeader(&session, handle, "Subject", "x");
        return {refused, lib.LastError(), lib.LastErrorText()};
    }
    Refusal UseSession() override
    {
        const bool refused = lib.CreateMessage(&session) == -1;
        return {refused, lib.LastError(), lib.LastErrorText()};
    }
    LONG NewHandle() { return lib.CreateMessage(&session); }
    long NotInitializedCode() const override { return CSMSG_ERROR_NOT_INITIALIZED; }
    long InvalidHandleCode() const override { return CSMSG_ERROR_INVALID_MESSAGE; }
    const char* LibraryWord() const override { return "message"; }
    const char* ObjectWord() const override { return "message"; }

    MessageLibrary lib;
    CSMSG_SESSION session{};
};

class Transport : public Library {
public:
    bool Initialize() override { return lib.Initialize(&session) != FALSE; }
    void Release() override { lib.Release(&session); }
    Refusal UseHandle(LONG handle) override
    {
        const bool refused = !lib.Hello(&session, handle, nullptr, 0);
        return {refused, lib.LastError(), lib.LastErrorText()};
    }
    Refusal UseSession() override
    {
        const bool refused = lib.Connect(&session, "127.0.0.1", 25, 1) == -1;
        return {refused, lib.LastError(), lib.LastErrorText()};
    }
    long NotInitializedCode() const override { return CSMTP_ERROR_NOT_INITIALIZED; }
    long InvalidHandleCode() const override { return CSMTP_ERROR_INVALID_CONNECTION; }
    const char* LibraryWord() const override { return "transport"; }
    const char* ObjectWord() const override { return "connection"; }

    TransportLibrary lib;
    CSMTP_SESSION session{};
};

void ExpectNotInitialized(Library& library, const Refusal& refusal)
{
    EXPECT_TRUE(refusal.refused);
    EXPECT_EQ(library.NotInitializedCode(), refusal.code);
    EXPECT_EQ(std::string("The ") + library.LibraryWord() + " library is not initialised", refusal.text);
}

void ExpectInvalidHandle(Library& library, const Refusal& refusal, LONG handle)
{
    EXPECT_TRUE(refusal.refused);
    EXPECT_EQ(library.InvalidHandleCode(), refusal.code);
    EXPECT_EQ(std::string("Invalid ") + library.ObjectWord() + " handle " + std::to_string(handle), refusal.text);
}

void CheckSessionRefusals(Library& library)
{
    ExpectNotInitialized(library, library.UseSession());
    ExpectNotInitialized(library, library.UseHandle(1));

    ASSERT_TRUE(library.Initialize());
    for (LONG handle : {0L, 1L, -1L, 999L})
        ExpectInvalidHandle(library, library.UseHandle(handle), handle);

    library.Release();
    ExpectNotInitialized(library, library.UseSession());
    // Released twice: nothing left to free, nothing breaks.
    library.Release();
    ASSERT_TRUE(library.Initialize());
    library.Release();
}

TEST(MailLibrarySessions, MessageLibraryRefusesUnreadySessionsAndUnknownHandles)
{
    Messages messages;
    ASSERT_NE(nullptr, messages.lib.library.module());
    CheckSessionRefusals(messages);
}

TEST(MailLibrarySessions, TransportLibraryRefusesUnreadySessionsAndUnknownHandles)
{
    Transport transport;
    ASSERT_NE(nullptr, transport.lib.library.module());
    CheckSessionRefusals(transport);
}

TEST(MailLibrarySessions, HandlesCountFromOneAndBelongToTheirSession)
{
    Messages first;
    Messages second;
    ASSERT_TRUE(first.Initialize());
    ASSERT_TRUE(second.Initialize());
    EXPECT_EQ(1, first.NewHandle());
    EXPECT_EQ(2, first.NewHandle());
    EXPECT_EQ(1, second.NewHandle());
    // Each session looks its handles up in its own table only.
    EXPECT_FALSE(first.UseHandle(2).refused);
    ExpectInvalidHandle(second, second.UseHandle(2), 2);
    first.Release();
    second.Release();
}

}  // namespace
