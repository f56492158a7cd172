#pragma once
// Where the table's labels, the deal button, the emote icon and the peek label go around the
// card places.

// Places them; the card places and the center frame stand where the layout put them.
void Layout_Labels();
