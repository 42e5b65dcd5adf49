// Opening a URL with the user's default application, as when a link in a text is clicked.
//
// The URL is checked before anything runs, and it reaches the desktop's opener as one argument
// of a new process, never through a shell, so no byte of it is interpreted on the way. The call
// waits for the opener's verdict, at most two seconds (an opener still running then has started
// the application, and may stay with it): it costs three forks and an exec, and leaves no child
// process behind for the caller to reap.
#pragma once

namespace os {

// Opens `url` (NUL-terminated UTF-8) with the desktop's opener ("xdg-open"). Returns true when
// the URL is well formed and the opener exits with status 0 or is still running after two
// seconds; false for null, a malformed URL, an opener that cannot be started (missing or not
// executable) or that fails (any other exit status, or killed). Throws nothing.
//
// Well formed means: a scheme (a letter, then letters, digits, "+", "-" or "."), ":", then only
// characters that a URL may hold: letters, digits, "-._~:/?#[]@!$&'()*+,;=", and "%" followed by
// two hex digits. Control characters, spaces, DEL, "\"<>\\^`{|}" and bytes of 128 and above are
// refused: non-ASCII text must come percent-encoded. This is a check of the characters, not a
// full parse. Since a scheme begins with a letter, the opener never takes the URL for an option.
bool openUrl(const char* url) noexcept;

// Makes openUrl start `program` (looked up in PATH like the opener) instead of the desktop's
// opener, and wait for it `waitMs` instead of two seconds (negative: two seconds); null
// restores the opener and its wait. For tests only: not safe while another thread opens a URL.
void setUrlLauncherForTesting(const char* program, int waitMs = -1);

}  // namespace os
