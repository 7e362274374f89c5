// Talks to a running `orvane` over a private session bus (the test runs under
// dbus-run-session), the way the desktop's own surfaces do.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "desktop/bus_service.hpp"

extern char** environ;

namespace {

using nlohmann::json;

pid_t start(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

int wait_exit(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool wait_for_name() {
  auto bus = QDBusConnection::sessionBus();
  for (int i = 0; i < 200; ++i) {
    if (bus.interface()->isServiceRegistered(desktop::kBusName)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

QDBusMessage call(const char* method, const QList<QVariant>& args) {
  auto message = QDBusMessage::createMethodCall(desktop::kBusName, desktop::kObjectPath,
                                                desktop::kInterface, method);
  message.setArguments(args);
  return QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
}

std::pair<QString, QString> operate(int kind, const std::string& payload,
                                    const char* name = "orvane.operation") {
  auto reply = call("Operate", {QVariant::fromValue(uchar(kind)), QString(name),
                                QString::fromStdString(payload)});
  EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
  return {reply.arguments().value(0).toString(), reply.arguments().value(1).toString()};
}

std::string payload(const std::string& text) { return json(text).dump(); }

json resources() {
  auto reply = call("Resources", {});
  return json::parse(reply.arguments().value(0).toString().toStdString());
}

class Bus : public ::testing::Test {
 protected:
  void SetUp() override {
    pid_ = start({ORVANE_BINARY, "--scenario", "active"});
    ASSERT_GT(pid_, 0);
    ASSERT_TRUE(wait_for_name()) << "orvane did not claim its bus name";
  }
  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      wait_exit(pid_);
    }
  }
  pid_t pid_ = -1;
};

TEST_F(Bus, ResourcesListTheApplicationWithItsActions) {
  const auto tree = resources();
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(tree[0]["id"], "orvane");
  EXPECT_EQ(tree[0]["title"], "Orvane");
  EXPECT_EQ(tree[0]["actions"].size(), 8u);
  EXPECT_EQ(tree[0]["actions"][0]["payload"], "\"refresh\"");
  EXPECT_TRUE(tree[0]["children"].empty()) << "a scenario has no snapshot";
}

TEST_F(Bus, OperateAnswersWithTheHandlersOutcome) {
  struct Case {
    int kind;
    std::string payload;
    const char* name;
    QString status;
    QString message;
  };
  const Case cases[] = {
      {2, payload("dashboard"), "orvane.operation", "handled", ""},
      {2, payload("queue"), "orvane.operation", "handled", ""},
      {1, payload("queue"), "orvane.operation", "failed",
       "Orvane operation has the wrong execution kind"},
      {2, payload("refresh"), "orvane.operation", "failed",
       "Orvane operation has the wrong execution kind"},
      {1, payload("shutdown"), "orvane.operation", "failed", "unknown Orvane operation"},
      {2, payload("device"), "orvane.operation", "failed",
       "Orvane resource is no longer available"},
      {1, payload("refresh"), "orvane.operations", "not-handled", ""},
      {0, payload("refresh"), "orvane.operation", "not-handled", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.payload);
    auto [status, message] = operate(c.kind, c.payload, c.name);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(message, c.message);
  }
  auto [status, message] = operate(1, "42");
  EXPECT_EQ(status, "failed");
  EXPECT_TRUE(message.startsWith("invalid Orvane operation: ")) << message.toStdString();
}

TEST_F(Bus, ControlsOfTheCurrentViewCanBeDriven) {
  // Buttons of a preview post into a channel nobody reads, so invoking one
  // is accepted and changes nothing.
  EXPECT_TRUE(call("InvokeControl", {QString("orvane.refresh")}).arguments().value(0).toBool());
  EXPECT_FALSE(call("InvokeControl", {QString("orvane.nothing")}).arguments().value(0).toBool());
  EXPECT_FALSE(call("SelectOption", {QString("orvane.refresh"), QVariant::fromValue(0u)})
                   .arguments()
                   .value(0)
                   .toBool());
  // The scan scenario has toggle groups.
  ASSERT_EQ(operate(2, payload("scan")).first, "handled");
}

TEST_F(Bus, ADesktopActionReachesTheRunningInstance) {
  const pid_t second = start({ORVANE_BINARY, "--action", "scan-document"});
  ASSERT_GT(second, 0);
  EXPECT_EQ(wait_exit(second), 0) << "the action is forwarded and the second process ends";
  // The first instance is still the one on the bus.
  EXPECT_EQ(resources()[0]["id"], "orvane");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
