// Linux backend: why a library call failed, as one line on standard error.
//
// Platform: Linux. Dependencies: SDL2 (for its error text). The Win32 calls
// keep answering as Windows does (a null handle, FALSE, a message box from
// the caller); these lines only add the underlying library's own reason, in
// the form "CALL: REASON", for the calls that bring the program up and take
// it down. Nothing is printed when a call succeeds.
#pragma once

namespace backend {

// Prints "call: reason" (an empty reason reads "unknown reason").
void ReportFailure(const char* call, const char* reason);

// The same with SDL's last error text as the reason.
void ReportSdlFailure(const char* call);

}  // namespace backend
