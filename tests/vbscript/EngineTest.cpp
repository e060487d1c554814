#include "Engine.h"
#include "Objects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

using vbs::Engine;
using vbs::HostObject;
using vbs::HostServices;
using vbs::Value;

namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// A host object that records what scripts ask of it, like the program's scripting object.
class FakeHost : public HostObject {
public:
    explicit FakeHost(std::vector<std::string> members)
    {
        for (auto &m : members)
            m_members.push_back(lower(m));
    }
    bool hasMember(const std::string &name) const override
    {
        return std::find(m_members.begin(), m_members.end(), lower(name)) != m_members.end();
    }
    Value invoke(const std::string &name, std::vector<Value> &args) override
    {
        std::string n = lower(name);
        std::string line = n + "(";
        for (size_t i = 0; i < args.size(); ++i)
            line += (i ? "," : "") + args[i].toString();
        calls.push_back(line + ")");
        if (n == "double" && !args.empty()) {
            args[0] = Value(args[0].toDouble() * 2); // by-reference argument
            return Value();
        }
        if (n == "fail")
            throw vbs::ScriptError{5, "Invalid procedure call or argument"};
        auto it = props.find(n);
        return it == props.end() ? Value() : it->second;
    }
    void setProperty(const std::string &name, std::vector<Value> &, const Value &value) override
    {
        props[lower(name)] = value;
    }
    std::vector<std::string> calls;
    std::map<std::string, Value> props;

private:
    std::vector<std::string> m_members;
};

struct Recorder {
    std::vector<std::string> echoes;
    HostServices services()
    {
        HostServices s;
        s.echo = [this](const std::string &t) { echoes.push_back(t); };
        s.msgBox = [this](const std::string &p, int b, const std::string &t) {
            echoes.push_back("msgbox:" + p + ":" + std::to_string(b) + ":" + t);
            return 6;
        };
        return s;
    }
};

const char *wrap(const std::string &body, std::string &buffer)
{
    buffer = "Sub Main\r\n" + body + "\r\nEnd sub\r\n";
    return buffer.c_str();
}

} // namespace

TEST(VbsEngine, GlobalMembersAreReachableWithAndWithoutTheObjectName)
{
    Engine engine;
    auto ql = std::make_shared<FakeHost>(std::vector<std::string>{"speak", "animation"});
    engine.addObject("QL", ql, true);
    std::string code;
    ASSERT_TRUE(engine.addCode(wrap("QL.speak \"hello\"\r\nSPEAK 42\r\nanimation = \"3\"", code)));
    ASSERT_TRUE(engine.run("Main"));
    ASSERT_EQ(ql->calls.size(), 2u);
    EXPECT_EQ(ql->calls[0], "speak(hello)");
    EXPECT_EQ(ql->calls[1], "speak(42)");
    EXPECT_EQ(ql->props["animation"].toString(), "3");
}

TEST(VbsEngine, GlobalMembersAreSearchedInTheOrderObjectsWereAdded)
{
    Engine engine;
    auto first = std::make_shared<FakeHost>(std::vector<std::string>{"enabled"});
    auto second = std::make_shared<FakeHost>(std::vector<std::string>{"enabled", "caption"});
    engine.addObject("wink", first, true);
    engine.addObject("character", second, true);
    std::string code;
    ASSERT_TRUE(engine.addCode(wrap("enabled = False\r\ncaption = \"x\"", code)));
    ASSERT_TRUE(engine.run("main"));
    EXPECT_TRUE(first->props.count("enabled"));
    EXPECT_FALSE(second->props.count("enabled"));
    EXPECT_EQ(second->props["caption"].toString(), "x");
}

TEST(VbsEngine, BuiltinFunctionsWinOverGlobalMembers)
{
    Recorder rec;
    Engine engine(rec.services());
    auto host = std::make_shared<FakeHost>(std::vector<std::string>{"len", "echo"});
    engine.addObject("Host", host, true);
    std::string code;
    ASSERT_TRUE(engine.addCode(wrap("x = Len(\"abc\")\r\nHost.Echo x", code)));
    ASSERT_TRUE(engine.run("Main"));
    ASSERT_EQ(host->calls.size(), 1u);
    EXPECT_EQ(host->calls[0], "echo(3)");
}

TEST(VbsEngine, HostObjectsCanChangeByReferenceArguments)
{
    Recorder rec;
    Engine engine(rec.services());
    auto host = std::make_shared<FakeHost>(std::vector<std::string>{"double"});
    engine.addObject("H", host, true);
    std::string code;
    ASSERT_TRUE(engine.addCode(wrap("n = 21\r\nDouble n\r\nMsgBox n", code)));
    ASSERT_TRUE(engine.run("Main"));
    ASSERT_EQ(rec.echoes.size(), 1u);
    EXPECT_EQ(rec.echoes[0], "msgbox:42:0:VBScript");
}

TEST(VbsEngine, ErrorsRaisedByHostObjectsCarryTheirNumberAndLine)
{
    Engine engine;
    auto host = std::make_shared<FakeHost>(std::vector<std::string>{"fail"});
    engine.addObject("H", host, true);
    std::string code;
    ASSERT_TRUE(engine.addCode(wrap("x = 1\r\nH.fail", code)));
    EXPECT_FALSE(engine.run("Main"));
    EXPECT_EQ(engine.lastError().number, 5);
    EXPECT_EQ(engine.lastError().description, "Invalid procedure call or argument");
    EXPECT_EQ(engine.lastError().line, 3);
}

TEST(VbsEngine, AProcedureDeclaredInsideTheWrapperDoesNotCompile)
{
    Engine engine;
    std::string code;
    EXPECT_FALSE(engine.addCode(wrap("Sub Inner\r\nEnd Sub", code)));
    EXPECT_EQ(engine.lastError().number, 1002);
    EXPECT_EQ(engine.lastError().description, "Syntax error");
    EXPECT_EQ(engine.lastError().line, 2);
}

TEST(VbsEngine, AnEmptyScriptRunsAndDoesNothing)
{
    Engine engine;
    EXPECT_TRUE(engine.addCode("Sub Main\r\nEnd sub\r\n"));
    EXPECT_TRUE(engine.run("Main"));
    EXPECT_EQ(engine.lastError().number, 0);
}

TEST(VbsEngine, ResetForgetsVariablesCodeAndObjects)
{
    Recorder rec;
    Engine engine(rec.services());
    auto host = std::make_shared<FakeHost>(std::vector<std::string>{"speak"});
    engine.addObject("QL", host, true);
    ASSERT_TRUE(engine.addCode("Dim counter\r\nSub Main\r\ncounter = counter + 1\r\n"
                               "MsgBox TypeName(counter) & counter\r\nEnd Sub\r\n"));
    ASSERT_TRUE(engine.run("Main"));
    engine.reset();
    ASSERT_TRUE(engine.addCode("Sub Main\r\nMsgBox TypeName(counter)\r\nEnd Sub\r\n"));
    ASSERT_TRUE(engine.run("Main"));
    ASSERT_EQ(rec.echoes.size(), 2u);
    EXPECT_EQ(rec.echoes[0], "msgbox:Integer1:0:VBScript");
    EXPECT_EQ(rec.echoes[1], "msgbox:Empty:0:VBScript");
    // The object went with the reset: its members are no longer names.
    ASSERT_TRUE(engine.addCode("Sub Other\r\nQL.speak 1\r\nEnd Sub\r\n"));
    EXPECT_FALSE(engine.run("Other"));
    EXPECT_EQ(engine.lastError().number, 424);
}

TEST(VbsEngine, RunningAnUnknownProcedureFails)
{
    Engine engine;
    ASSERT_TRUE(engine.addCode("Sub Main\r\nEnd Sub\r\n"));
    EXPECT_FALSE(engine.run("Missing"));
    EXPECT_EQ(engine.lastError().number, 35);
}

TEST(VbsEngine, TimeOutStopsALoopThatNeverCallsTheHost)
{
    Engine engine;
    engine.setTimeoutMs(200);
    ASSERT_TRUE(engine.addCode("Sub Main\r\nDo\r\nx = x + 1\r\nLoop\r\nEnd Sub\r\n"));
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(engine.run("Main"));
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(engine.lastError().description,
              "The script was stopped because it ran longer than 10 seconds");
    EXPECT_EQ(engine.lastError().line, 3);
    EXPECT_LT(took, std::chrono::seconds(5));
}

// A script that waits for the user's answers longer than its time-out is not stopped for it;
// the time-out still stops a loop that comes after the answers.
TEST(VbsEngine, TimeOutCountsTheScriptsWorkNotItsWaitsForTheUser)
{
    HostServices services;
    int asked = 0;
    services.msgBox = [&asked](const std::string &, int, const std::string &) {
        ++asked;
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        return 1;
    };
    Engine engine(services);
    engine.setTimeoutMs(1000);
    // Enough statements after the answers for the interpreter to look at its clock.
    ASSERT_TRUE(engine.addCode("Sub Main\r\nMsgBox \"one\"\r\nMsgBox \"two\"\r\n"
                               "For i = 1 To 20000\r\nx = x + 1\r\nNext\r\nEnd Sub\r\n"
                               "Sub Forever\r\nMsgBox \"three\"\r\nDo\r\nLoop\r\nEnd Sub\r\n"));
    EXPECT_TRUE(engine.run("Main")) << engine.lastError().description;
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(engine.run("Forever"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError);
}

TEST(VbsEngine, TimeOutIsNotSwallowedByOnErrorResumeNext)
{
    Engine engine;
    engine.setTimeoutMs(100);
    ASSERT_TRUE(engine.addCode("Sub Main\r\nOn Error Resume Next\r\nWhile True\r\n"
                               "y = 1\r\nWend\r\nEnd Sub\r\n"));
    EXPECT_FALSE(engine.run("Main"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError);
    // A new run gets a fresh time budget.
    ASSERT_TRUE(engine.addCode("Sub Quick\r\nx = 1\r\nEnd Sub\r\n"));
    EXPECT_TRUE(engine.run("Quick"));
}

// A host call that works for a while each time it is called, and gives up after some calls,
// so that a script the time-out fails to stop still ends.
class SlowHost : public HostObject {
public:
    bool hasMember(const std::string &name) const override { return lower(name) == "work"; }
    Value invoke(const std::string &, std::vector<Value> &) override
    {
        if (++calls > 100)
            throw vbs::ScriptError{5, "Invalid procedure call or argument"};
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return Value();
    }
    void setProperty(const std::string &, std::vector<Value> &, const Value &) override {}
    int calls = 0;
};

// The clock is read after every host call, not every few thousand turns: turns of 50 ms each
// end within a turn or so of the time-out.
TEST(VbsEngine, TimeOutStopsALoopWhoseTurnsEachTakeLong)
{
    Engine engine;
    engine.setTimeoutMs(300);
    auto host = std::make_shared<SlowHost>();
    engine.addObject("Slow", host, false);
    ASSERT_TRUE(engine.addCode("Sub Main\r\nDo\r\nSlow.Work\r\nLoop\r\nEnd Sub\r\n"));
    EXPECT_FALSE(engine.run("Main"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError) << engine.lastError().description;
    EXPECT_EQ(engine.lastError().line, 3);
    EXPECT_LT(host->calls, 60);
}

// Waits for other programs are given back to the time-out only up to their own allowance:
// a loop of them ends when it is spent, and a single long wait is cut short. Waits for the
// user's answers never count.
TEST(VbsEngine, WaitsForProgramsStopTheScriptOnceTheirAllowanceIsSpent)
{
    HostServices services;
    int runs = 0, keys = 0;
    auto slowly = [](int &count) {
        if (++count > 100)
            throw vbs::ScriptError{5, "Invalid procedure call or argument"};
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    };
    services.run = [&](const std::string &, int, bool) {
        slowly(runs);
        return 0;
    };
    services.sendKeys = [&](const std::string &) { slowly(keys); };
    services.msgBox = [](const std::string &, int, const std::string &) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        return 1;
    };
    Engine engine(services);
    engine.setWaitLimitMs(300);
    auto wscript = std::make_shared<vbs::WScriptObject>(services, "test.vbs");
    engine.addObject("WScript", wscript, false);
    ASSERT_TRUE(engine.addCode("Set sh = CreateObject(\"WScript.Shell\")\r\n"
                               "Sub Answers\r\nMsgBox \"one\"\r\nMsgBox \"two\"\r\nEnd Sub\r\n"
                               "Sub Runs\r\nDo\r\nsh.Run \"x\", 0, True\r\nLoop\r\nEnd Sub\r\n"
                               "Sub Keys\r\nDo\r\nsh.SendKeys \"a\"\r\nLoop\r\nEnd Sub\r\n"
                               "Sub Sleeps\r\nDo\r\nWScript.Sleep 50\r\nLoop\r\nEnd Sub\r\n"
                               "Sub LongSleep\r\nWScript.Sleep 5000\r\nEnd Sub\r\n"));
    EXPECT_TRUE(engine.run("Answers")) << engine.lastError().description;
    EXPECT_FALSE(engine.run("Runs"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError) << engine.lastError().description;
    EXPECT_EQ(engine.lastError().line, 8);
    EXPECT_LT(runs, 60);
    EXPECT_FALSE(engine.run("Keys"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError) << engine.lastError().description;
    EXPECT_LT(keys, 60);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(engine.run("Sleeps"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError) << engine.lastError().description;
    EXPECT_FALSE(engine.run("LongSleep"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError) << engine.lastError().description;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

// The program runs its scripts as the body of a procedure: Class_Terminate chains run from
// there as from module code.
TEST(VbsEngine, LongClassTerminateChainsEndInsideAProcedure)
{
    Engine engine;
    ASSERT_TRUE(engine.addCode(
        "Class Breeder\r\nPrivate Sub Class_Terminate\r\nDim child\r\n"
        "Set child = New Breeder\r\nEnd Sub\r\nEnd Class\r\n"
        "Class Node\r\nPublic NextNode\r\nPrivate Sub Class_Terminate\r\nDim keep\r\n"
        "Set keep = NextNode\r\nSet NextNode = Nothing\r\nEnd Sub\r\nEnd Class\r\n"
        "Sub Main\r\nSet b = New Breeder\r\nSet b = Nothing\r\nSet head = Nothing\r\n"
        "For i = 1 To 50000\r\nSet n = New Node\r\nSet n.NextNode = head\r\n"
        "Set head = n\r\nNext\r\nSet n = Nothing\r\nSet head = Nothing\r\nEnd Sub\r\n"));
    EXPECT_TRUE(engine.run("Main")) << engine.lastError().description;
}

TEST(VbsEngine, CompileErrorsReportNumberDescriptionAndLine)
{
    Engine engine;
    EXPECT_FALSE(engine.addCode("x = 1\r\nIf x Then\r\ny = 2\r\n"));
    EXPECT_EQ(engine.lastError().number, 1014);
    EXPECT_EQ(engine.lastError().description, "Expected 'End'");
    EXPECT_FALSE(engine.addCode("x = \"abc\r\n"));
    EXPECT_EQ(engine.lastError().number, 1033);
    EXPECT_EQ(engine.lastError().line, 1);
}

TEST(VbsEngine, CodeNestedPastTheParsersLimitIsOutOfStackSpaceOnItsLine)
{
    Engine engine;
    const std::string brackets = std::string(30000, '(') + "1" + std::string(30000, ')');
    EXPECT_FALSE(engine.addCode("x = 1\r\ny = " + brackets + "\r\n"));
    EXPECT_EQ(engine.lastError().number, 28);
    EXPECT_EQ(engine.lastError().description, "Out of stack space");
    EXPECT_EQ(engine.lastError().line, 2);

    std::string ifs;
    for (int i = 0; i < 30000; ++i)
        ifs += "If True Then\r\n";
    for (int i = 0; i < 30000; ++i)
        ifs += "End If\r\n";
    EXPECT_FALSE(engine.addCode(ifs));
    EXPECT_EQ(engine.lastError().number, 28);

    std::string chain = "z = 0";
    for (int i = 0; i < 30000; ++i)
        chain += " + 1";
    EXPECT_FALSE(engine.addCode(chain));
    EXPECT_EQ(engine.lastError().number, 28);

    EXPECT_TRUE(engine.addCode("y = (((1)))\r\n"));
}

TEST(VbsEngine, ValuesConvertWithVBScriptRules)
{
    EXPECT_EQ(Value(true).toString(), "True");
    EXPECT_EQ(Value(2.5).toString(), "2.5");
    EXPECT_EQ(Value(std::string("12")).toInt32(), 12);
    EXPECT_EQ(Value(2.5).toInt32(), 2); // banker's rounding
    EXPECT_EQ(Value(3.5).toInt32(), 4);
    EXPECT_TRUE(Value().isEmpty());
    EXPECT_EQ(Value().toString(), "");
    EXPECT_FALSE(Value(std::string("0")).toBool());
    EXPECT_EQ(Value::null().type(), vbs::Type::Null);
    EXPECT_TRUE(Value::nothing().isNothing());
    EXPECT_THROW(Value(std::string("abc")).toDouble(), vbs::ScriptError);
    EXPECT_EQ(Value(std::string("\xc3\xa9t\xc3\xa9")).toString(), "\xc3\xa9t\xc3\xa9");
    EXPECT_EQ(Value(std::string("\xc3\xa9t\xc3\xa9")).str().size(), 3u);
}

namespace {
// Starts another script from inside a host call, as a recognizer event handled while the
// character speaks does.
class NestedStarter : public HostObject {
public:
    Engine *engine = nullptr;
    std::shared_ptr<HostObject> self;
    bool nestedOk = false;
    bool hasMember(const std::string &name) const override { return lower(name) == "speak"; }
    Value invoke(const std::string &, std::vector<Value> &) override
    {
        engine->reset();
        engine->addObject("QL", self, true);
        nestedOk =
            engine->addCode("Sub Main\r\nx = \"nested\"\r\nEnd sub\r\n") && engine->run("Main");
        return Value();
    }
    void setProperty(const std::string &, std::vector<Value> &, const Value &) override {}
};
} // namespace

TEST(VbsEngine, AScriptStartedFromAHostCallLeavesTheRunningScriptIntact)
{
    Recorder rec;
    Engine engine(rec.services());
    auto starter = std::make_shared<NestedStarter>();
    starter->engine = &engine;
    starter->self = starter;
    engine.addObject("QL", starter, true);
    ASSERT_TRUE(engine.addCode("Sub Main\r\nx = \"outer\"\r\nspeak\r\nMsgBox x\r\nEnd sub\r\n"));
    EXPECT_TRUE(engine.run("Main"));
    EXPECT_TRUE(starter->nestedOk);
    ASSERT_EQ(rec.echoes.size(), 1u);
    EXPECT_EQ(rec.echoes[0], "msgbox:outer:0:VBScript");
    starter->self.reset();
}

TEST(VbsEngine, ObjectNamesIgnoreCaseAndNonGlobalMembersNeedThePrefix)
{
    Recorder rec;
    Engine engine(rec.services());
    auto bubble = std::make_shared<FakeHost>(std::vector<std::string>{"caption"});
    engine.addObject("Bubble", bubble, false);
    ASSERT_TRUE(engine.addCode("Sub Main\r\nBUBBLE.Caption = \"hi\"\r\nMsgBox bubble.caption\r\n"
                               "MsgBox TypeName(caption)\r\nEnd Sub\r\n"));
    ASSERT_TRUE(engine.run("Main"));
    ASSERT_EQ(rec.echoes.size(), 2u);
    EXPECT_EQ(rec.echoes[0], "msgbox:hi:0:VBScript");
    // Without the prefix the name is an ordinary, empty script variable.
    EXPECT_EQ(rec.echoes[1], "msgbox:Empty:0:VBScript");
}

TEST(VbsEngine, HostMemberResultsAndArgumentsKeepTheirTypes)
{
    Recorder rec;
    Engine engine(rec.services());
    auto host = std::make_shared<FakeHost>(std::vector<std::string>{"value", "record"});
    host->props["value"] = Value(2.5);
    engine.addObject("H", host, true);
    ASSERT_TRUE(engine.addCode("Sub Main\r\nx = value * 2\r\nrecord x, True, \"s\"\r\n"
                               "MsgBox TypeName(x) & \" \" & x\r\nEnd Sub\r\n"));
    ASSERT_TRUE(engine.run("Main"));
    ASSERT_EQ(host->calls.size(), 2u);
    EXPECT_EQ(host->calls[0], "value()");
    EXPECT_EQ(host->calls[1], "record(5,True,s)");
    ASSERT_EQ(rec.echoes.size(), 1u);
    EXPECT_EQ(rec.echoes[0], "msgbox:Double 5:0:VBScript");
}

TEST(VbsEngine, ModuleLevelErrorsAreReportedByAddCode)
{
    Engine engine;
    EXPECT_FALSE(engine.addCode("x = 1\r\ny = x / 0\r\n"));
    EXPECT_EQ(engine.lastError().number, 11);
    EXPECT_EQ(engine.lastError().line, 2);
    EXPECT_EQ(engine.lastError().description, "Division by zero");
}

TEST(VbsEngine, EchoWithoutAHostOutletIsSilentAndMsgBoxReturnsOk)
{
    Engine engine;
    ASSERT_TRUE(engine.addCode("Dim r\r\nSub Main\r\nr = MsgBox(\"x\")\r\n"
                               "If r <> 1 Then Err.Raise 5\r\nEnd Sub\r\n"));
    EXPECT_TRUE(engine.run("Main"));
}

TEST(VbsEngine, TheTimeOutSurvivesAReset)
{
    Engine engine;
    engine.setTimeoutMs(100);
    engine.reset();
    ASSERT_TRUE(engine.addCode("Sub Main\r\nFor i = 1 To 2000000000\r\nNext\r\nEnd Sub\r\n"));
    EXPECT_FALSE(engine.run("Main"));
    EXPECT_EQ(engine.lastError().number, Engine::TimeoutError);
}
