#pragma once
// Where the seat's side King goes: TargetPile; at the top level possibly a plan
// played first, with SidePlay 99 when the side card is to be placed afresh.
void Move_Wild();
