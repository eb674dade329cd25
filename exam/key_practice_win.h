#pragma once
// The Tests screen's command Practise Weak Keys.
#include <string>

// Builds a practice text for the weakest keys of the current language (exam/key_practice.h)
// from its four training lists, its custom list and its sample texts, seeded from the clock,
// writes it to Practice.txt beside Settings.xml and loads it as the current sample, as File,
// Open would. Before enough keystrokes are recorded, or when no word holds a weak key, a
// message box in the current language says so and nothing else happens; a Practice.txt that
// could not be written is said as every file of the user's is.
void Mode4_PractiseWeakKeys();
// <folder of Settings.xml>\Practice.txt.
std::string Mode4_PracticePath();
