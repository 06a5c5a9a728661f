// The floor's own game, by hand: three digits, the picture on a seven.
const boxes = ['Label1', 'Label2', 'Label3'].map((id) => document.getElementById(id));
const picture = document.getElementById('Image1');
document.getElementById('Command1').addEventListener('click', () => {
  picture.hidden = true;
  for (const box of boxes) box.textContent = String(Math.floor(Math.random() * 10));
  if (boxes.some((box) => Number(box.textContent) === 7)) picture.hidden = false;
});
