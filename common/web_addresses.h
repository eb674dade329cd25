#pragma once
// The maker's web addresses, for the Help menu, the about box, the support link and the report's
// footer. Plain ASCII, so that the narrow and the wide users share them.

// The maker's home page: the Help menu's site item, the support link, the report's footer.
constexpr char kMakerSite[] = "https://www.velmora.example/";
// The order page is in English only, whatever the interface language.
constexpr char kOrderPage[] = "https://www.velmora.example/order?product=kf&lang=en";
