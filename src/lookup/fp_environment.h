#pragma once
// Inside the face: every call starts and ends with the default floating-point environment.
#include <cfenv>

namespace Vantrel {

// Restores the default floating-point environment: round to nearest, every exception masked,
// no pending flags, no flush-to-zero. The environment belongs to the calling thread (its own
// control and status registers), so concurrent calls never see each other's. Loading a whole
// environment costs about 65 ns, a tenth of a warm lookup, so on x86-64 the control and status
// words are read first (a few cycles) and only what differs is reset: the common exit, where the
// computation has only raised flags in the SSE status, needs just one MXCSR load.
inline void reset_fp_environment() {
#if defined(__x86_64__) && defined(__GNUC__)
  constexpr unsigned short x87_default_control = 0x037F;
  constexpr unsigned int sse_default_control = 0x1F80;  // all masked, nearest, no FTZ/DAZ
  constexpr unsigned int sse_flags = 0x3F;
  unsigned short control, status;
  unsigned int mxcsr;
  asm volatile("fnstcw %0" : "=m"(control) : : "memory");
  asm volatile("fnstsw %0" : "=am"(status) : : "memory");
  asm volatile("stmxcsr %0" : "=m"(mxcsr) : : "memory");
  if (control == x87_default_control && (status & 0xFF) == 0 &&
      (mxcsr & ~sse_flags) == sse_default_control) {
    if (mxcsr != sse_default_control) {
      unsigned int clean = sse_default_control;
      asm volatile("ldmxcsr %0" : : "m"(clean) : "memory");
    }
    return;
  }
#endif
  std::fesetenv(FE_DFL_ENV);
}

// Puts the floating-point environment back to the default one when it is made and when it goes
// out of scope: on every return, and also while an exception that is not caught unwinds through
// it. Only the outermost one on a thread acts: an entry point that calls another one inside the
// face has already reset the environment, and will again on its way out.
class fp_environment_reset {
 public:
  fp_environment_reset() {
    if (depth()++ == 0) reset_fp_environment();
  }
  ~fp_environment_reset() {
    if (--depth() == 0) reset_fp_environment();
  }
  fp_environment_reset(const fp_environment_reset&) = delete;
  fp_environment_reset& operator=(const fp_environment_reset&) = delete;

 private:
  static int& depth() {
    thread_local int nested = 0;
    return nested;
  }
};

}  // namespace Vantrel
