// The floor's own game, by hand: the game's generator (24 bits, always from the same state, so the
// same first game: 7 5 5), three digits, and on a seven the coin picture, an inline image.
let state = 0x50000;
const draw = () => {
  state = (Math.imul(state, 0x43fd43fd) + 0xc39ec3) & 0xffffff;
  return Math.floor(Math.fround(state / 0x1000000) * 10);
};
const boxes = ['Label1', 'Label2', 'Label3'].map((id) => document.getElementById(id));
const picture = document.getElementById('Image1');
document.getElementById('Command1').addEventListener('click', () => {
  picture.hidden = true;
  for (const box of boxes) box.textContent = String(draw());
  if (boxes.some((box) => box.textContent === '7')) picture.hidden = false;
});
