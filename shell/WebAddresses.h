#pragma once

// The addresses on the program's own web site that the shell opens in the browser.
namespace ostrel::webAddresses {

inline constexpr const char* website = "https://ostrel.org";
// Never fetched: updates come with the installed package.
inline constexpr const char* updateFeed = "https://ostrel.org/updates/appcast.xml";
inline constexpr const char* mailingListSubscription = "https://ostrel.org/newsletter/subscribe";
inline constexpr const char* videoChannel = "https://www.youtube.com/@ostrel?sub_confirmation=1";
inline constexpr const char* contactTheDeveloper = "https://ostrel.org/contact";
inline constexpr const char* userManual = "https://ostrel.org/manual/ostrel-user-manual.pdf";
inline constexpr const char* videoTutorial = "https://ostrel.org/video-tutorial";

}
