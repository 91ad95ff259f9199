// QvxCmd.QVCommand driven through IQVCommand and IDispatch, as the task run,
// the storage and the administrator's editors use it.
#include <string>

#include "com_test_support.h"

namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Variant;

class CommandTest : public ComTest {};

std::wstring FullCommand(IQVCommand* command)
{
    Bstr text;
    EXPECT_EQ(S_OK, command->get_FullCommand(text.Receive()));
    return text.ToString();
}

std::wstring CommandType(IQVCommand* command)
{
    Bstr text;
    EXPECT_EQ(S_OK, command->GetCommandType(text.Receive()));
    return text.ToString();
}

std::wstring Parameter(IQVCommand* command, long index)
{
    Bstr text;
    EXPECT_EQ(S_OK, command->GetParameterAsString(index, text.Receive()));
    return text.ToString();
}

std::wstring LastError(IQVCommand* command)
{
    Bstr text;
    EXPECT_EQ(S_OK, command->get_LastErrorString(text.Receive()));
    return text.ToString();
}

struct LineCase {
    const wchar_t* line;
    const wchar_t* full_command;
    const wchar_t* type;
    std::vector<std::wstring> parameters;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    for (const wchar_t* p = c.line; *p; ++p)
        *os << static_cast<char>(*p);
}

class CommandLineTest : public ComTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(CommandLineTest, ParsedLineReadsBackThroughTheInterface)
{
    ComPtr<IQVCommand> command = NewCommand(GetParam().line);
    ASSERT_TRUE(command);
    EXPECT_EQ(GetParam().full_command, FullCommand(command.Get()));
    EXPECT_EQ(GetParam().type, CommandType(command.Get()));
    const long count = static_cast<long>(GetParam().parameters.size());
    for (long i = 1; i <= count; ++i)
        EXPECT_EQ(GetParam().parameters[i - 1], Parameter(command.Get(), i)) << i;
    EXPECT_EQ(L"", Parameter(command.Get(), 0));
    EXPECT_EQ(L"", Parameter(command.Get(), count + 1));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    ::testing::Values(
        LineCase{L"  MessageBox(Hello, World)  ", L"MessageBox(Hello, World)", L"MessageBox", {L"Hello", L" World"}},
        LineCase{L"LogOff", L"LogOff()", L"LogOff", {}},
        LineCase{L"// RunProgram(x)", L"// RunProgram(x)", L"Comment", {}},
        LineCase{L"RunProgram(c:\\app.exe,,Hidden)", L"RunProgram(c:\\app.exe,,Hidden)", L"RunProgram",
                 {L"c:\\app.exe", L"", L"Hidden"}},
        LineCase{L"SendKeys(%(fx),{tab 3})", L"SendKeys(%(fx),{tab 3})", L"SendKeys", {L"%(fx),{tab 3}"}}));

TEST_F(CommandTest, ParameterAsIntReadsTheLeadingNumber)
{
    ComPtr<IQVCommand> command = NewCommand(L"Delay(250ms,-3,x)");
    ASSERT_TRUE(command);
    const long expected[] = {0, 250, -3, 0, 0};
    for (long index = 0; index < 5; ++index) {
        long value = 99;
        EXPECT_EQ(S_OK, command->GetParameterAsInt(index, &value));
        EXPECT_EQ(expected[index], value) << index;
    }
}

TEST_F(CommandTest, NullBstrIsAnEmptyLine)
{
    ComPtr<IQVCommand> command = NewCommand(L"RunProgram(x)");
    ASSERT_TRUE(command);
    EXPECT_EQ(S_OK, command->put_FullCommand(nullptr));
    EXPECT_EQ(L"", FullCommand(command.Get()));
    EXPECT_EQ(L"", CommandType(command.Get()));
    EXPECT_EQ(S_OK, command->Run());
}

TEST_F(CommandTest, NulInsideTheLineEndsIt)
{
    const wchar_t line[] = L"RunProgram(a\0b,c)";
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    Bstr text(line, static_cast<UINT>(sizeof(line) / sizeof(wchar_t) - 1));
    ASSERT_EQ(S_OK, command->put_FullCommand(text.Get()));
    EXPECT_EQ(L"RunProgram(a", FullCommand(command.Get()));
    EXPECT_EQ(L"a", Parameter(command.Get(), 1));
    EXPECT_EQ(E_FAIL, command->Run());
    EXPECT_EQ(L"Unable to run command line: a", LastError(command.Get()));
}

TEST_F(CommandTest, HundredThousandParametersCrossTheInterface)
{
    std::wstring line = L"QuitProgram(";
    for (int i = 0; i < 100000; ++i)
        line += i == 0 ? L"w0" : L",w" + std::to_wstring(i);
    line += L")";
    ComPtr<IQVCommand> command = NewCommand(line.c_str());
    ASSERT_TRUE(command);
    EXPECT_EQ(L"w99999", Parameter(command.Get(), 100000));
    EXPECT_EQ(L"", Parameter(command.Get(), 100001));
    EXPECT_EQ(E_FAIL, command->Run());
    EXPECT_EQ(L"Unable to Quit Program w0", LastError(command.Get()));
}

struct RunCase {
    const wchar_t* line;
    HRESULT hr;
    const wchar_t* text;  // also the one event fired; empty: no event
};

void PrintTo(const RunCase& c, std::ostream* os)
{
    for (const wchar_t* p = c.line; *p; ++p)
        *os << static_cast<char>(*p);
}

class CommandRunTest : public ComTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(CommandRunTest, FailureFiresErrorOccurredAndReturnsItsText)
{
    ComPtr<IQVCommand> command = NewCommand(L"Bogus()");
    ASSERT_TRUE(command);
    ASSERT_EQ(E_FAIL, command->Run()) << "leaves an earlier error behind";
    ErrorSink sink;
    ErrorSink::Connection connection(command.Get(), sink);
    ASSERT_TRUE(connection.Connected());

    const Bstr line(GetParam().line);
    ASSERT_EQ(S_OK, command->put_FullCommand(line.Get()));
    EXPECT_EQ(GetParam().hr, command->Run());
    EXPECT_EQ(GetParam().text, LastError(command.Get()));
    const std::wstring text = GetParam().text;
    EXPECT_EQ(text.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{text}, sink.errors);
    if (FAILED(GetParam().hr)) {
        EXPECT_EQ(text, ErrorDescription());
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, CommandRunTest,
                         ::testing::Values(RunCase{L"// note", S_OK, L""}, RunCase{L"", S_OK, L""},
                                           RunCase{L":label", S_OK, L""},
                                           RunCase{L"logoff(TRUE)", E_FAIL, L"Unknown command \"logoff\""},
                                           RunCase{L"LogOff", E_FAIL, L"QVShutdown application could not be found"},
                                           RunCase{L"CloseWindow()", E_FAIL, L"Wrong number of Parameters"},
                                           RunCase{L"RunTask(a,b)", E_FAIL, L"Invalid Number of Parameters"},
                                           RunCase{L"SendKeys({abc)", E_FAIL, L"sendkey function found an opening brace without a closing brace"}));

TEST_F(CommandTest, QueueWithoutAccountRunsEveryLineAndReportsTheLastFailure)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    ErrorSink sink;
    ErrorSink::Connection connection(command.Get(), sink);
    for (const wchar_t* line : {L"Bogus()", L"Delay(1)", L"// done"}) {
        const Bstr text(line);
        ASSERT_EQ(S_OK, command->AddToQue(text.Get()));
    }
    EXPECT_EQ(E_FAIL, command->ExecuteQue());
    EXPECT_EQ(L"Wrong number of parameters", LastError(command.Get()));
    EXPECT_EQ(L"Wrong number of parameters", ErrorDescription());
    EXPECT_TRUE(sink.errors.empty()) << "a queue run reports through its result only";
}

TEST_F(CommandTest, QueueOfNotesSucceedsAndClearsAnEarlierError)
{
    ComPtr<IQVCommand> command = NewCommand(L"Bogus()");
    ASSERT_TRUE(command);
    command->Run();
    const Bstr note(L"// note");
    ASSERT_EQ(S_OK, command->AddToQue(note.Get()));
    EXPECT_EQ(S_OK, command->StopExecution()) << "a stop before the run has no effect";
    EXPECT_EQ(S_OK, command->ExecuteQue());
    EXPECT_EQ(L"", LastError(command.Get()));
}

TEST_F(CommandTest, BlankAccountIsRefused)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    const Bstr user(L"bob"), blank(L"");
    EXPECT_EQ(E_FAIL, command->SetImpersonateInfo(user.Get(), blank.Get(), 1));
    EXPECT_EQ(L"Unable to logon user - Password is blank", LastError(command.Get()));
    EXPECT_EQ(E_FAIL, command->SetImpersonateInfo(nullptr, nullptr, 1));
    EXPECT_EQ(L"Unable to logon user - UserName is blank Password is blank", LastError(command.Get()));
}

TEST_F(CommandTest, LastErrorStringCannotBeWritten)
{
    ComPtr<IQVCommand> command = NewCommand(L"Bogus()");
    ASSERT_TRUE(command);
    command->Run();
    const Bstr other(L"other");
    EXPECT_EQ(S_OK, command->put_LastErrorString(other.Get()));
    EXPECT_EQ(L"Unknown command \"Bogus\"", LastError(command.Get()));
}

TEST_F(CommandTest, TypeAndParametersAreKeptAsGiven)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    const wchar_t raw[] = L"a\0b";
    const Bstr type(L"Program"), parameters(raw, 3);
    ASSERT_EQ(S_OK, command->put_Type(type.Get()));
    ASSERT_EQ(S_OK, command->put_Parameters(parameters.Get()));
    Bstr type_back, parameters_back;
    ASSERT_EQ(S_OK, command->get_Type(type_back.Receive()));
    ASSERT_EQ(S_OK, command->get_Parameters(parameters_back.Receive()));
    EXPECT_EQ(type, type_back);
    EXPECT_EQ(parameters, parameters_back);
    EXPECT_EQ(E_POINTER, command->put_Type(nullptr));
}

TEST_F(CommandTest, SendKeyDelayStartsAtAHundredMilliseconds)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    long delay = 0;
    ASSERT_EQ(S_OK, command->get_SendKeyDelay(&delay));
    EXPECT_EQ(100, delay);
    ASSERT_EQ(S_OK, command->put_SendKeyDelay(25));
    ASSERT_EQ(S_OK, command->get_SendKeyDelay(&delay));
    EXPECT_EQ(25, delay);
}

TEST_F(CommandTest, ProcessHandleGivenIsOwnedAndClosedWithTheObject)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    HANDLE process = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &process, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    ASSERT_EQ(S_OK, command->put_ProcessHandle(HandleToLong(process)));
    long value = 0;
    ASSERT_EQ(S_OK, command->get_ProcessHandle(&value));
    EXPECT_EQ(HandleToLong(process), value);
    command.Reset();
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(process, &flags));
}

TEST_F(CommandTest, NullOutPointersAreRefused)
{
    ComPtr<IQVCommand> command = NewCommand(L"RunProgram(x)");
    ASSERT_TRUE(command);
    EXPECT_EQ(E_POINTER, command->get_FullCommand(nullptr));
    EXPECT_EQ(E_POINTER, command->get_Type(nullptr));
    EXPECT_EQ(E_POINTER, command->get_Parameters(nullptr));
    EXPECT_EQ(E_POINTER, command->GetCommandType(nullptr));
    EXPECT_EQ(E_POINTER, command->GetParameterAsString(1, nullptr));
    EXPECT_EQ(E_POINTER, command->GetParameterAsInt(1, nullptr));
    EXPECT_EQ(E_POINTER, command->get_SendKeyDelay(nullptr));
    EXPECT_EQ(E_POINTER, command->get_LastErrorString(nullptr));
    EXPECT_EQ(E_POINTER, command->get_ProcessHandle(nullptr));
}

TEST_F(CommandTest, SupportsErrorInfoForItsInterfaceOnly)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, command.As(support));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IQVCommand));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IQVCmdCollection));
}

TEST_F(CommandTest, CannotBeAggregated)
{
    ComPtr<IUnknown> outer = NewCollection().Get();
    ComPtr<IUnknown> inner;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              ::CoCreateInstance(CLSID_QVCommand, outer.Get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                                 inner.ReceiveVoid()));
}

DISPID DispatchId(IDispatch* dispatch, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << name;
    return id;
}

TEST_F(CommandTest, LateBoundCallsReachTheSameMembers)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, command.As(dispatch));

    Variant line(L"QuitProgram(Doc (a,b),1)");
    DISPID named_put = DISPID_PROPERTYPUT;
    DISPPARAMS put_params{line.Ptr(), &named_put, 1, 1};
    ASSERT_EQ(S_OK, dispatch->Invoke(DispatchId(dispatch.Get(), L"FullCommand"), IID_NULL, LOCALE_USER_DEFAULT,
                                     DISPATCH_PROPERTYPUT, &put_params, nullptr, nullptr, nullptr));

    Variant index(1L);
    DISPPARAMS call_params{index.Ptr(), nullptr, 1, 0};
    Variant result;
    ASSERT_EQ(S_OK, dispatch->Invoke(DispatchId(dispatch.Get(), L"GetParameterAsString"), IID_NULL,
                                     LOCALE_USER_DEFAULT, DISPATCH_METHOD, &call_params, result.Receive(), nullptr,
                                     nullptr));
    ASSERT_EQ(VT_BSTR, result.Type());
    EXPECT_STREQ(L"Doc (a,b)", V_BSTR(&result.Get()));

    DISPPARAMS no_params{nullptr, nullptr, 0, 0};
    EXCEPINFO exception{};
    const HRESULT hr = dispatch->Invoke(DispatchId(dispatch.Get(), L"Run"), IID_NULL, LOCALE_USER_DEFAULT,
                                        DISPATCH_METHOD, &no_params, nullptr, &exception, nullptr);
    EXPECT_TRUE(FAILED(hr));
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    EXPECT_EQ(L"Unable to Quit Program Doc (a,b)", LastError(command.Get()));
}

}  // namespace
