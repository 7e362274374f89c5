#include "platform/atomic_file.hpp"

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "pdf_reading.hpp"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytes_of(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::set<std::string> names_in(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

unsigned mode_of(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return 0;
  return info.st_mode & 07777;
}

// Root writes into read-only folders; taking away the capabilities that allow
// it makes the folder's mode count, as for any user.
bool drop_file_permission_overrides() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (::syscall(SYS_capget, &header, data) != 0) return false;
  for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
    data[capability / 32].effective &= ~(1u << (capability % 32));
  }
  return ::syscall(SYS_capset, &header, data) == 0;
}

// Limits on the process are set in a child so that the test runner keeps
// its own. The child's exit code: 0 when the write failed with an error text,
// 1 when it succeeded, 2 when the limit could not be set.
int write_in_child(const fs::path& path, const std::vector<std::uint8_t>& bytes,
                   const std::function<bool()>& restrict) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (!restrict()) ::_exit(2);
    const auto status = platform::write_file_atomically(path, bytes);
    ::_exit(status.ok() ? 1 : (status.error().empty() ? 3 : 0));
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = pdf_test::make_temporary_folder();
    ASSERT_FALSE(folder_.empty());
  }
  void TearDown() override {
    ::chmod(folder_.c_str(), 0700);
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

TEST_F(AtomicFile, NewFileGetsOwnerOnlyModeAndReplacedFileKeepsItsMode) {
  const auto fresh = folder_ / "scan.pdf";
  ASSERT_TRUE(platform::write_file_atomically(fresh, bytes_of("first")));
  EXPECT_EQ(pdf_test::read_bytes(fresh), bytes_of("first"));
  EXPECT_EQ(mode_of(fresh), 0600u);

  const auto shared = folder_ / "shared.pdf";
  pdf_test::write_bytes(shared, bytes_of("a much longer old content"));
  ASSERT_EQ(::chmod(shared.c_str(), 0644), 0);
  // Root can give the file away, and the replacement then keeps its owner.
  const bool as_root = ::geteuid() == 0;
  if (as_root) {
    ASSERT_EQ(::chown(shared.c_str(), 65534, 65534), 0);
  }
  ASSERT_TRUE(platform::write_file_atomically(shared, bytes_of("new")));
  EXPECT_EQ(pdf_test::read_bytes(shared), bytes_of("new"));
  EXPECT_EQ(mode_of(shared), 0644u);
  struct stat info {};
  ASSERT_EQ(::stat(shared.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, as_root ? 65534u : ::geteuid());

  ASSERT_TRUE(platform::write_file_atomically(fresh, {}));
  EXPECT_TRUE(pdf_test::read_bytes(fresh).empty());
  EXPECT_EQ(names_in(folder_), (std::set<std::string>{"scan.pdf", "shared.pdf"}));
}

TEST_F(AtomicFile, FailureLeavesTheExistingFileAndNoTemporaryFile) {
  const auto target = folder_ / "scan.pdf";
  const std::vector<std::uint8_t> old_content = bytes_of("old content");
  const std::vector<std::uint8_t> large(256 * 1024, 0x5A);
  const auto no_limit = [] { return true; };

  struct Case {
    const char* name;
    fs::path path;
    std::function<void()> prepare;
    std::function<bool()> restrict;
  };
  const Case cases[] = {
      {"read-only folder", target, [&] { ::chmod(folder_.c_str(), 0555); },
       drop_file_permission_overrides},
      {"folder that vanished", folder_ / "gone" / "scan.pdf",
       [&] {
         fs::create_directory(folder_ / "gone");
         fs::remove(folder_ / "gone");
       },
       no_limit},
      {"disk full (file size limit)", target, [] {},
       [] {
         std::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{4096, 4096};
         return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
       }},
      {"destination is a folder", folder_ / "folder",
       [&] { fs::create_directory(folder_ / "folder"); }, no_limit},
      {"destination names no file", folder_ / "..", [] {}, no_limit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    pdf_test::write_bytes(target, old_content);
    c.prepare();
    const auto before = names_in(folder_);
    EXPECT_EQ(write_in_child(c.path, large, c.restrict), 0);
    ::chmod(folder_.c_str(), 0700);
    EXPECT_EQ(pdf_test::read_bytes(target), old_content);
    EXPECT_EQ(names_in(folder_), before);
  }
}

}  // namespace
