#pragma once

#include <QString>

// Turns the texts of a product or an article (name, descriptions, custom
// values joined with blanks) into the search text the site's search reads
// from ParoleChiave.Keywords:
//   - HTML tags are removed and the common character entities decoded, since
//     descriptions often hold markup;
//   - the text is split into words at every character that is not a letter
//     or a digit (blanks, punctuation, apostrophes, slashes, ...);
//   - words are lower-cased;
//   - words shorter than kMinimumKeywordLength characters are dropped, and
//     so are common Italian and English stop words (articles, prepositions,
//     conjunctions, pronouns, forms of "to be" and "to have");
//   - each word is kept once, at its first occurrence;
//   - the words are joined with single blanks.
// An empty or all-noise text gives an empty string.
QString ElaboraKeywords(const QString &text);

constexpr int kMinimumKeywordLength = 3;

// Whether a lower-case word is one of the stop words dropped above.
bool isKeywordStopWord(const QString &lowerCaseWord);
