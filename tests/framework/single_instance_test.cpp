// A second start hands its command line to the first over the local socket: the test starts
// itself again as the second process.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdlib>

#include "platform/shell/single_instance.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

constexpr const char* kChildEnv = "LUMO_SINGLE_INSTANCE_CHILD";

std::string instance_name() { return "LumoKALTest" + std::to_string(QCoreApplication::applicationPid()); }

// Runs only inside the second process: it must not get the lock and must hand over.
TEST(SingleInstanceChild, HandsOverToTheFirst) {
  const char* name = std::getenv(kChildEnv);
  if (!name) GTEST_SKIP() << "only run as the second process";
  application();
  shell::SingleInstance second(name);
  EXPECT_FALSE(second.acquire([](const std::vector<std::string>&) {}));
  EXPECT_TRUE(second.hand_over({"--nologo", "/tmp/Dz.U. 2001 nr 1.lkl", "zażółć"}));
}

class SingleInstanceTest : public GuiTest {};

TEST_F(SingleInstanceTest, SecondProcessHandsItsArgumentsToTheFirst) {
  if (std::getenv(kChildEnv)) GTEST_SKIP();
  std::string name = instance_name();
  shell::SingleInstance first(name);
  std::vector<std::vector<std::string>> received;
  ASSERT_TRUE(first.acquire([&](const std::vector<std::string>& args) { received.push_back(args); }));

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kChildEnv, QString::fromStdString(name));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=SingleInstanceChild.HandsOverToTheFirst", "--gtest_brief=1"});
  ASSERT_TRUE(child.waitForStarted(10000));
  QElapsedTimer timer;
  timer.start();
  // The first process keeps its loop running while the second talks to it.
  while (child.state() != QProcess::NotRunning && timer.elapsed() < 60000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    child.waitForFinished(10);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], (std::vector<std::string>{"--nologo", "/tmp/Dz.U. 2001 nr 1.lkl", "zażółć"}));
}

TEST(SingleInstanceMessage, MalformedBytesAreRefused) {
  std::vector<std::string> args;
  std::string good = shell::SingleInstance::encode({"a", ""});
  EXPECT_TRUE(shell::SingleInstance::decode(good, args));
  EXPECT_EQ(args, (std::vector<std::string>{"a", ""}));
  const std::string bad[] = {
      std::string(),                              // no count
      std::string("\x05\x00\x00\x00", 4),         // more arguments than bytes
      std::string("\x01\x00\x00\x00\xFF\xFF\xFF\x7F", 8),  // a length past the end
      good + "x",                                 // trailing bytes
  };
  for (const std::string& b : bad) EXPECT_FALSE(shell::SingleInstance::decode(b, args));
}

class SecondStartTest : public FrameworkTest {};

TEST_F(SecondStartTest, FirstProcessRestoresItsWindowAndOpensTheFiles) {
  CMDIFrameWnd* frame = make_main_frame();
  std::string path = temp_path("akt.tdk");
  TestDoc doc;
  doc.m_text = cp("Art. 1");
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  frame->ShowWindow(SW_MINIMIZE);
  shell::on_second_start(*app, {"--nologo", path});
  EXPECT_FALSE(frame->IsIconic());
  ASSERT_EQ(doc_template->documents().size(), 1u);
  EXPECT_EQ(utf8(static_cast<TestDoc*>(doc_template->documents().front().get())->m_text), "Art. 1");
}

TEST(CommandLine, SwitchesAndPaths) {
  EXPECT_TRUE(CCommandLineInfo::IsSwitch("-nologo"));
  EXPECT_TRUE(CCommandLineInfo::IsSwitch("/nologo"));
  EXPECT_FALSE(CCommandLineInfo::IsSwitch("/tmp/akt.lkl"));
  EXPECT_FALSE(CCommandLineInfo::IsSwitch("akt.lkl"));
  EXPECT_FALSE(CCommandLineInfo::IsSwitch("-"));
}

}  // namespace
}  // namespace lumo::test
