#pragma once
// Inside the face: every call starts and ends with the default floating-point environment.
#include <cfenv>

namespace Vantrel {

#if defined(__x86_64__) && defined(__GNUC__)
// The SSE part alone: clears the flags a computation raised and answers true, or answers false
// when a control bit differs from the default (a changed rounding mode, an unmasked exception,
// flush-to-zero), which only a whole environment restores. The library computes in SSE only: the
// x87 unit it leaves as it found it.
inline bool reset_sse_environment() {
  constexpr unsigned int sse_default_control = 0x1F80;  // all masked, nearest, no FTZ/DAZ
  constexpr unsigned int sse_flags = 0x3F;
  unsigned int mxcsr;
  asm volatile("stmxcsr %0" : "=m"(mxcsr) : : "memory");
  if ((mxcsr & ~sse_flags) != sse_default_control) return false;
  if (mxcsr != sse_default_control) {
    unsigned int clean = sse_default_control;
    asm volatile("ldmxcsr %0" : : "m"(clean) : "memory");
  }
  return true;
}
#endif

// Restores the default floating-point environment: round to nearest, every exception masked,
// no pending flags, no flush-to-zero. The environment belongs to the calling thread (its own
// control and status registers), so concurrent calls never see each other's. Loading a whole
// environment costs about 65 ns, a tenth of a warm lookup, so on x86-64 the control and status
// words are read first (a few cycles) and only what differs is reset: the common exit, where the
// computation has only raised flags in the SSE status, needs just one MXCSR load.
inline void reset_fp_environment() {
#if defined(__x86_64__) && defined(__GNUC__)
  constexpr unsigned short x87_default_control = 0x037F;
  unsigned short control, status;
  asm volatile("fnstcw %0" : "=m"(control) : : "memory");
  asm volatile("fnstsw %0" : "=am"(status) : : "memory");
  if (control == x87_default_control && (status & 0xFF) == 0 && reset_sse_environment()) return;
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
  // On the way out only the SSE flags can differ from the default the way in left: the library
  // computes in SSE only.
  ~fp_environment_reset() {
    if (--depth() != 0) return;
#if defined(__x86_64__) && defined(__GNUC__)
    if (reset_sse_environment()) return;
#endif
    reset_fp_environment();
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
