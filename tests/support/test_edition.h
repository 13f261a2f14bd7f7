// The edition of unit tests: its setup language is whatever the test sets, so one test
// program can walk through every language.
#pragma once

namespace testing_support {

// The value SetupLanguage returns; 7 unless a test sets another.
extern int setup_language;

class ScopedSetupLanguage {
 public:
  explicit ScopedSetupLanguage(int language) : previous_(setup_language) { setup_language = language; }
  ~ScopedSetupLanguage() { setup_language = previous_; }

 private:
  int previous_;
};

}  // namespace testing_support
