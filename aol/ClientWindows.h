// The client's window classes, as its windows register them. Class names match without regard
// to case.
#pragma once

namespace Korvelix6o {

inline constexpr char kFrameClass[] = "AOL Frame25";
inline constexpr char kDesktopClass[] = "MDIClient";
inline constexpr char kChildClass[] = "AOL Child";
inline constexpr char kRichTextClass[] = "RICHCNTL"; // a room's transcript, then its input
inline constexpr char kListClass[] = "_AOL_Listbox";
inline constexpr char kIconClass[] = "_AOL_Icon";
inline constexpr char kStaticClass[] = "_AOL_Static";

} // namespace Korvelix6o
