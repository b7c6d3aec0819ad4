#pragma once
// Reading the system's font configuration (its files and its font caches) is the longest single
// step before the login can be laid out, and the toolkit does it with the first widget that
// needs a font. The program starts it in a thread of its own first thing in main, so that it
// runs while the application object is made and the program sets itself up, and the login waits
// for it before its first widget that measures text: the toolkit then finds the configuration
// read and does not read it a second time alongside.
namespace cal {

// Starts reading the font configuration in a thread; nothing when it was started already.
void startReadingFontConfiguration();
// Waits for the reading started above; returns at once when none was started or it is done.
void finishReadingFontConfiguration();
// Whether the thread started above has read the configuration.
bool fontConfigurationReadAhead();

}  // namespace cal
