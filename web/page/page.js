// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The page: a terminal in which the game runs as in a console. Its parts: the run of the
// game through the bridge (pont.js), the line discipline (discipline.js) and the reading for
// a screen reader (lecture.js), the terminal's size, the manual, and the page around them
// (touch keys, the message at the end of a run).
'use strict';

// The game's longest line, the setup paragraph, holds on one row where the screen allows.
const COLONNES_PLEINES = 122;
const POLICE = 'ui-monospace, "DejaVu Sans Mono", Menlo, Consolas, monospace';
const TAILLE_MAXIMUM = 18;
// The smallest text a phone held upright still shows legibly: below it the terminal has
// fewer columns, and the game's long lines wrap at its edge.
const TAILLE_MINIMUM = 12;
// What the terminal's width leaves to its columns: xterm's scroll bar (14 pixels) and a little
// room; and what the page's margins leave to the terminal.
const RESERVE_DU_TERMINAL = 16;
const MARGES_DE_LA_PAGE = 16;

// The one object that holds the page: its terminal, the run under way, and the errors the
// page met (which the browser test reads back).
const page = { terminal: null, ajustement: null, execution: null, file: null, discipline: null, lecture: null, erreurs: [] };

// ---- The run of the game -------------------------------------------------------------

// The game's WebAssembly, carried gzipped in the page, unpacked once (where a stand-in
// replaces the game, it has none).
function wasmDeLaPage() {
  const texte = atob(WASM_COMPRESSE);
  const octets = new Uint8Array(texte.length);
  for (let i = 0; i < texte.length; i++) octets[i] = texte.charCodeAt(i);
  return new Response(new Blob([octets]).stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
}
const WASM = typeof WASM_COMPRESSE === 'undefined' ? null : wasmDeLaPage();
const creerLeJeuDeLaPage = async (module) => creerLeJeu(WASM ? { ...module, wasmBinary: await WASM } : module);

// A new run, in a new instance of the game, below the output of the runs before it, as a
// command run again in a terminal: the last screen stays readable above.
function lancerUneExecution() {
  if (page.execution) page.execution.arreter();
  montrerLaFin(null);
  // A sequence cut short by Ctrl-C is cancelled, and the new run starts on a line of its own.
  const tampon = page.terminal.buffer.active;
  page.terminal.write(tampon.cursorX > 0 ? '\x18\r\n' : '\x18');
  const file = new FileDeLignes();
  const discipline = creerDiscipline(file, (texte) => page.terminal.write(texte), () => {
    execution.interrompue = true;
    execution.arreter();
  });
  // The discipline follows the output's column, from which Linux erases a Tab; the reading
  // for a screen reader takes the output too, and tells it once the game waits.
  const ecrire = (octets) => new Promise((fait) => {
    discipline.sortie(octets);
    page.lecture.recevoir(octets);
    page.terminal.write(octets, fait);
  });
  file.quandAttendue = () => page.lecture.publier();
  const execution = lancerLeJeu(creerLeJeuDeLaPage, file, ecrire);
  page.file = file;
  page.execution = execution;
  page.discipline = discipline;
  execution.fin.then((statut) => {
    if (page.execution !== execution) return;
    page.lecture.publier();
    page.execution = null;
    page.discipline = null;
    montrerLaFin(execution.interrompue ? 'interrompue' : statut);
  });
  page.terminal.focus();
}

// ---- The terminal's size --------------------------------------------------------------

// The width of one column for each pixel of the font's size.
function largeurParPixel() {
  const mesure = document.createElement('canvas').getContext('2d');
  mesure.font = `100px ${POLICE}`;
  return mesure.measureText('M').width / 100;
}

// The font at which the game's longest line just fits a terminal `largeur` pixels wide.
const tailleJuste = (largeur) => (largeur - RESERVE_DU_TERMINAL) / (COLONNES_PLEINES * page.largeurParPixel);

// The largest font, within the legible sizes, at which that line fits `largeur` pixels.
function tailleDePolice(largeur) {
  const taille = Math.floor(tailleJuste(largeur) * 4) / 4;
  return Math.min(TAILLE_MAXIMUM, Math.max(TAILLE_MINIMUM, taille));
}

// The font as large as lets the game's longest line fit the width, never below the legible
// size, and as many columns and rows as then fit: text already written reflows.
function ajusterLaTaille() {
  const boite = document.getElementById('terminal');
  let taille = tailleDePolice(boite.clientWidth);
  page.terminal.options.fontSize = taille;
  let dimensions = page.ajustement.proposeDimensions();
  // The estimate misses by a rounding of the cells at most.
  while (dimensions && dimensions.cols < COLONNES_PLEINES && taille > TAILLE_MINIMUM) {
    taille -= 0.25;
    page.terminal.options.fontSize = taille;
    dimensions = page.ajustement.proposeDimensions();
  }
  // A terminal that is not laid out (the page printed, say) has no size to take.
  if (!dimensions || !(dimensions.cols > 0 && dimensions.rows > 0)) return;
  if (dimensions.cols !== page.terminal.cols || dimensions.rows !== page.terminal.rows) {
    page.terminal.resize(dimensions.cols, Math.max(4, dimensions.rows));
  }
  montrerLAstuce(dimensions.cols);
}

// Upright, on a phone whose other side would hold the game's longest line, the page says so:
// on a touch screen held upright, not in a tall window of a desktop.
function montrerLAstuce(colonnes) {
  const orientation = screen.orientation ? screen.orientation.type : '';
  const debout = window.matchMedia('(pointer: coarse)').matches &&
    (orientation ? orientation.startsWith('portrait') : screen.height > screen.width);
  const autreCote = Math.max(screen.width, screen.height);
  const tournable = tailleJuste(autreCote - MARGES_DE_LA_PAGE) >= TAILLE_MINIMUM;
  document.getElementById('astuce').hidden = !(colonnes < COLONNES_PLEINES && debout && tournable);
}

// ---- The manual ----------------------------------------------------------------------

// Opens or closes the manual over the game, as a modal dialog: the game behind it takes no
// key and no tap while it is open. Closed, it gives the focus back where the game goes on:
// the terminal, with whatever was typed before, or "Recommencer" if the run has ended.
function montrerLeManuel(ouvert) {
  const manuel = document.getElementById('manuel');
  document.getElementById('aide').setAttribute('aria-expanded', String(ouvert));
  if (ouvert) {
    if (!manuel.open) manuel.showModal();
    manuel.focus();
    return;
  }
  if (manuel.open) manuel.close();
  if (document.getElementById('fin').hidden) page.terminal.focus();
  else document.getElementById('recommencer').focus();
}

function brancherLeManuel() {
  const manuel = document.getElementById('manuel');
  document.getElementById('aide').addEventListener('click', () => montrerLeManuel(true));
  document.getElementById('fermer').addEventListener('click', () => montrerLeManuel(false));
  // Escape closes it here rather than by the browser's own close, which would give the
  // focus back to the button that opened it.
  manuel.addEventListener('cancel', (evenement) => {
    evenement.preventDefault();
    montrerLeManuel(false);
  });
}

// ---- The page ------------------------------------------------------------------------

// What the page says below the game's output once a run has ended; null hides it. The exit
// status stands apart, in small, for whoever looks for it.
function montrerLaFin(statut) {
  const fin = document.getElementById('fin');
  fin.hidden = statut === null;
  if (statut === null) return;
  const texte = document.getElementById('fin-texte');
  const code = document.getElementById('fin-code');
  code.textContent = typeof statut === 'number' ? `code de retour ${statut}` : '';
  if (statut === 'interrompue') texte.textContent = 'Partie interrompue (Ctrl-C).';
  else if (typeof statut === 'number') texte.textContent = 'La partie est finie.';
  else texte.textContent = 'Le jeu s’est arrêté sur une erreur.';
  // With the manual open, the focus stays in it; closing it leads to "Recommencer".
  if (!document.getElementById('manuel').open) document.getElementById('recommencer').focus();
}

// The keys the terminal leaves to the page: Tab and Shift-Tab move the focus, as everywhere
// else in it, and type nothing; F11 is the browser's full screen; Ctrl-C with text selected
// copies it, as terminals on the web do (otherwise it interrupts).
function touchesDeLaPage(evenement) {
  const modifiee = evenement.ctrlKey || evenement.altKey || evenement.metaKey;
  if ((evenement.key === 'Tab' && !modifiee) || evenement.key === 'F11') return false;
  const copie = evenement.type === 'keydown' && evenement.ctrlKey && !evenement.altKey &&
    evenement.key.toLowerCase() === 'c' && page.terminal.hasSelection();
  if (!copie) return true;
  if (navigator.clipboard) navigator.clipboard.writeText(page.terminal.getSelection()).catch(() => {});
  page.terminal.clearSelection();
  return false;
}

// The touch keys press the terminal's own keys, without taking the focus from it: what they
// type goes the keyboard's way, and the screen reader announces what follows as it does
// after a key typed.
const TOUCHES = { effacer: ['Backspace', 8], entree: ['Enter', 13] };
function brancherLesTouches() {
  for (const bouton of document.querySelectorAll('#touches button')) {
    bouton.addEventListener('pointerdown', (evenement) => evenement.preventDefault());
    bouton.addEventListener('click', () => {
      const touche = bouton.dataset.touche;
      const [key, keyCode] = TOUCHES[touche] || [touche, touche.charCodeAt(0)];
      const evenement = new KeyboardEvent('keydown', { key, bubbles: true, cancelable: true });
      Object.defineProperty(evenement, 'keyCode', { value: keyCode });
      page.terminal.textarea.dispatchEvent(evenement);
    });
  }
}

// The phone's own keyboard: digits, with nothing corrected or capitalised.
function preparerLeClavier(zone) {
  zone.setAttribute('inputmode', 'numeric');
  zone.setAttribute('autocomplete', 'off');
  zone.setAttribute('autocorrect', 'off');
  zone.setAttribute('autocapitalize', 'off');
  zone.setAttribute('spellcheck', 'false');
}

// Errors the page met, kept where the browser test can read them in every browser.
function garderLesErreurs() {
  const garder = (texte) => page.erreurs.push(String(texte));
  window.addEventListener('error', (evenement) => garder(evenement.message));
  window.addEventListener('unhandledrejection', (evenement) => garder(evenement.reason));
  document.addEventListener('securitypolicyviolation', (evenement) => garder(`refused: ${evenement.blockedURI}`));
}

// The terminal is opened at its final size, so that nothing moves once it is drawn.
function ouvrirLaPage() {
  garderLesErreurs();
  Terminal.strings.promptLabel = 'Réponses au jeu';
  page.largeurParPixel = largeurParPixel();
  const boite = document.getElementById('terminal');
  page.terminal = new Terminal({
    cols: COLONNES_PLEINES,
    convertEol: true, // a line feed also returns the carriage, as a terminal's output does
    fontFamily: POLICE,
    fontSize: tailleDePolice(boite.clientWidth),
    scrollback: 5000,
    theme: { background: '#000000' },
  });
  page.ajustement = new FitAddon();
  page.terminal.loadAddon(page.ajustement);
  page.terminal.open(boite);
  ajusterLaTaille();
  preparerLeClavier(page.terminal.textarea);
  // A screen-reader user whose focus starts in the terminal is told where the switch is.
  page.terminal.textarea.setAttribute('aria-describedby', 'terminal-aide');
  page.terminal.attachCustomKeyEventHandler(touchesDeLaPage);
  page.terminal.onData((touches) => page.discipline && page.discipline.recevoir(touches));
  // The window's size changes, and so does the terminal's room when the end message shows;
  // the sizing waits for the next frame, as a size it changes would be observed again.
  new ResizeObserver(() => requestAnimationFrame(ajusterLaTaille)).observe(boite);
  brancherLesTouches();
  brancherLeManuel();
  page.lecture = creerLecture(document.getElementById('journal'));
  document.getElementById('lecteur').addEventListener('change', (evenement) => {
    page.lecture.allumer(evenement.target.checked);
  });
  document.getElementById('recommencer').addEventListener('click', lancerUneExecution);
  lancerUneExecution();
}

ouvrirLaPage();
