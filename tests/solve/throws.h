#pragma once
// Checks that an operation throws the given error class with exactly the given context.
#include <gtest/gtest.h>

#include <string>

namespace Vantrel {

template <class Error, class Operation>
testing::AssertionResult throws(Operation operation, const std::string& context) {
  try {
    operation();
  } catch (const Error& e) {
    if (e.what() == context) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "context \"" << e.what() << "\"";
  } catch (...) {
    return testing::AssertionFailure() << "another error";
  }
  return testing::AssertionFailure() << "no error";
}

}  // namespace Vantrel
