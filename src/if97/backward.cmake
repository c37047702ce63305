# Backward equations of IAPWS-IF97 and their supplementary releases.
target_sources(kelvora_if97 PRIVATE backward_region12.cpp backward_region3.cpp
                                    backward_region3_vpt.cpp)
