// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The page on a phone, in Chromium's phone emulation (375×740, touch, device scale 2): the
// hint to turn it shows only where turning gives the game's longest line, on a touch screen;
// it opens without moving, a whole game is played with touch taps only, and after each question
// the cursor, the whole question and the echo of the tapped digits are on screen, in legible
// text that never scrolls sideways; the same once the phone is turned and turned back. A
// digit typed as the phone's own keyboard types it (a composition) reaches the game once.
'use strict';

const DEBOUT = { width: 375, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true, isLandscape: false };
const COUCHE = { ...DEBOUT, width: 740, height: 375, isLandscape: true };

const TOURNER_APRES = 5;

const attendre = (ms) => new Promise((fait) => setTimeout(fait, ms));

// Polls `mesurer()` until `bon(valeur)` (5 s at most); returns the last value seen.
async function sonder(mesurer, bon) {
  let valeur = await mesurer();
  for (let essai = 0; essai < 100 && !bon(valeur); essai++) {
    await attendre(50);
    valeur = await mesurer();
  }
  return valeur;
}

// What is wrong with what the player sees: the rows from the question's start to the cursor
// on screen, the font legible, nothing to scroll sideways.
function fautesAffichage() {
  const terminal = page.terminal;
  const tampon = terminal.buffer.active;
  const ecran = terminal.element.querySelector('.xterm-screen').getBoundingClientRect();
  const boite = document.getElementById('terminal');
  const largeur = ecran.width / terminal.cols;
  const hauteur = ecran.height / terminal.rows;
  let debut = tampon.baseY + tampon.cursorY;
  while (debut > 0 && tampon.getLine(debut).isWrapped) debut--;
  const x = ecran.left + tampon.cursorX * largeur;
  const y = ecran.top + (tampon.baseY + tampon.cursorY - tampon.viewportY) * hauteur;
  const fautes = [];
  if (debut < tampon.viewportY) fautes.push('the question starts above the visible rows');
  if (x < 0 || y < 0 || x + largeur > innerWidth || y + hauteur > innerHeight) fautes.push(`the cursor is off-screen at ${x}, ${y}`);
  if (ecran.right > boite.getBoundingClientRect().right + 0.5) fautes.push('the columns run past the terminal');
  if (ecran.bottom > Math.min(innerHeight, boite.getBoundingClientRect().bottom) + 0.5) fautes.push('the rows run past the screen');
  if (terminal.options.fontSize < 12) fautes.push(`the font is ${terminal.options.fontSize} px`);
  const decale = [document.scrollingElement, boite, terminal.element.querySelector('.xterm-viewport')].filter((e) => {
    e.scrollLeft = 50;
    const bouge = e.scrollLeft !== 0;
    e.scrollLeft = 0;
    return bouge;
  });
  if (decale.length > 0) fautes.push(`sideways scrolling: ${decale.map((e) => e.id || e.className || e.tagName)}`);
  return fautes.map((faute) => `${innerWidth}×${innerHeight}, ${terminal.cols} columns: ${faute}`);
}

// The sum of the layout shifts since the page opened, once two more frames have been drawn.
const DECALAGES = `new Promise((fait) => {
  let total = 0;
  const observateur = new PerformanceObserver((liste) => { for (const e of liste.getEntries()) total += e.value; });
  observateur.observe({ type: 'layout-shift', buffered: true });
  requestAnimationFrame(() => requestAnimationFrame(() => {
    for (const e of observateur.takeRecords()) total += e.value;
    fait(total);
  }));
})`;

// A digit as an Android keyboard sends it: a composition, then the text inserted.
async function auClavierDuTelephone(onglet, chiffre) {
  await onglet.tap('#terminal');
  const cdp = await onglet.createCDPSession();
  await cdp.send('Input.imeSetComposition', { text: chiffre, selectionStart: 1, selectionEnd: 1 });
  await cdp.send('Input.insertText', { text: chiffre });
  await cdp.detach();
}

// The cursor's place in the buffer, counted in cells, and the character in a cell.
const place = (onglet) => onglet.evaluate(() => {
  const tampon = page.terminal.buffer.active;
  return (tampon.baseY + tampon.cursorY) * page.terminal.cols + tampon.cursorX;
});
const caractere = (onglet, cellule) => onglet.evaluate((c) => {
  const colonnes = page.terminal.cols;
  return page.terminal.buffer.active.getLine(Math.floor(c / colonnes)).getCell(c % colonnes).getChars();
}, cellule);

async function repondre(onglet, reponse, auClavier, echec) {
  if (auClavier) {
    const avant = await place(onglet);
    const clavier = await onglet.evaluate(() => page.terminal.textarea.getAttribute('inputmode'));
    if (clavier !== 'numeric') echec(`the terminal's keyboard is "${clavier}", not numeric`);
    await auClavierDuTelephone(onglet, reponse);
    const lecture = async () => [await caractere(onglet, avant), (await place(onglet)) - avant];
    const [echo, avance] = await sonder(lecture, ([c, a]) => c === reponse && a === 1);
    if (echo !== reponse || avance !== 1) echec(`a digit of the phone's keyboard echoed as "${echo}", ${avance} cells; expected "${reponse}", 1 cell`);
  } else {
    for (const chiffre of reponse) await onglet.tap(`#touches button[data-touche="${chiffre}"]`);
  }
  for (const faute of await onglet.evaluate(fautesAffichage)) echec(`after tapping "${reponse}": ${faute}`);
  await onglet.tap('#touches button[data-touche="entree"]');
}

// Plays `saisie` (the answers, and the rank of the one typed on the phone's keyboard) to its
// end; `attendreLaQuestion(n)` waits for the game to wait, its output shown.
async function telephone(n, echec, saisie, attendreLaQuestion) {
  const onglet = n.onglet;
  // The hint to turn the phone: upright on a phone whose other side holds the game's longest
  // line; not in a tall window (800×900) of a desktop's wide screen (1920×1080).
  const bureau = async () => {
    const cdp = await onglet.createCDPSession();
    await cdp.send('Emulation.setDeviceMetricsOverride', { width: 800, height: 900, deviceScaleFactor: 1,
      mobile: false, screenWidth: 1920, screenHeight: 1080, screenOrientation: { type: 'landscapePrimary', angle: 0 } });
    await onglet.reload();
  };
  for (const [taille, montree] of [[{ ...DEBOUT, width: 430, height: 932 }, true], ['bureau', false]]) {
    if (taille === 'bureau') await bureau();
    else await onglet.setViewport(taille); // which reloads the page when touch comes or goes
    await attendreLaQuestion(n);
    const vue = await sonder(() => onglet.evaluate(() => !document.getElementById('astuce').hidden), (v) => v === montree);
    if (vue !== montree) echec(`${taille === 'bureau' ? 'in a desktop window of 800×900' : `at ${taille.width}×${taille.height}, touch`}, the hint to turn is ${vue ? 'shown' : 'hidden'}`);
  }
  await onglet.setViewport(DEBOUT);
  await onglet.goto(onglet.url());
  await attendreLaQuestion(n);
  const decalage = await onglet.evaluate(DECALAGES);
  if (decalage > 0) echec(`the page moved by ${decalage} as it opened`);
  for (const [rang, reponse] of saisie.reponses.entries()) {
    await attendreLaQuestion(n);
    for (const faute of await onglet.evaluate(fautesAffichage)) echec(`at question ${rang}: ${faute}`);
    if (rang === TOURNER_APRES) {
      for (const taille of [COUCHE, DEBOUT]) {
        await onglet.setViewport(taille);
        // Once the terminal has taken the columns that the new width holds.
        const ajuste = () => onglet.evaluate(() => page.terminal.cols === page.ajustement.proposeDimensions().cols);
        const fautes = await sonder(async () => [await ajuste(), await onglet.evaluate(fautesAffichage)],
          ([fait, f]) => fait && f.length === 0);
        if (!fautes[0]) echec(`turned: the terminal kept ${await onglet.evaluate(() => page.terminal.cols)} columns`);
        for (const faute of fautes[1]) echec(`turned: ${faute}`);
      }
    }
    await repondre(onglet, reponse, rang === saisie.auClavier, echec);
  }
  await onglet.waitForSelector('#fin:not([hidden])', { timeout: 5000 });
  // A digit read twice would be refused, and the game, asked again, would not come to its end.
  const lignes = await onglet.evaluate(() => {
    const tampon = page.terminal.buffer.active;
    return Array.from({ length: tampon.length }, (_, i) => tampon.getLine(i).translateToString(true)).join('\n');
  });
  if (!lignes.includes('La machine a gagne.')) echec('the game on the phone did not come to its end');
  await onglet.screenshot({ path: require('path').join(process.argv[2], 'allumettes-telephone.png') });
}

module.exports = { telephone };
