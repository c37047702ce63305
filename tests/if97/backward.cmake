# The backward equations against the releases' check values, and against IAPWS-95 states.
add_executable(kelvora_if97_backward_tests backward_check_test.cpp backward_vpt_test.cpp
                                           backward_consistency_test.cpp)
target_link_libraries(kelvora_if97_backward_tests PRIVATE kelvora_if97 kelvora_core
                                                          GTest::gtest_main kelvora_warnings)
gtest_discover_tests(kelvora_if97_backward_tests DISCOVERY_TIMEOUT 60)
